3
Notepad
notepad.exe
Quoted
"C:\Program Files\x.exe",-a
Empty

