 5 
Notepad
notepad.exe
Calculator
calc.exe
Paint
mspaint.exe
WordPad
write.exe
Registry Editor
regedit.exe
