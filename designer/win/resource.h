// Dialog templates and control ids of tesseldes. The acceptance tests drive
// the program through these ids too.
#pragma once

#define IDD_SKIN_CHOOSER 101 // `Form5`
#define IDD_PANEL 102        // `Form1`
#define IDD_MAKE_FILE 103    // `Form3`
#define IDD_PROGRESS 104     // `Form4`

// Skin chooser
#define IDC_CHOOSER_LABEL 1001
#define IDC_CHOOSER_TEXT1 1002
#define IDC_CHOOSER_BROWSE 1003 // `Command1`
#define IDC_CHOOSER_OPEN 1004   // `Command2`

// Control panel: `TextN` is IDC_TEXT_BASE + N, `CommandN` IDC_COMMAND_BASE + N.
#define IDC_TEXT_BASE 1100
#define IDC_COMMAND_BASE 1200
#define IDC_LIST1 1301
#define IDC_OPTION1 1311
#define IDC_OPTION2 1312

// Make-file window
#define IDC_MAKE_LABEL1 1401
#define IDC_MAKE_LABEL2 1402
#define IDC_MAKE_TEXT1 1403
#define IDC_MAKE_BROWSE 1404 // `Command1`
#define IDC_MAKE_FILE 1405   // `Command2`

// Progress window
#define IDC_PROGRESS_LABEL1 1501

// The canvas draws its 28 elements itself. Asked this message with an element
// index (0 to 27) in wParam, it answers the element's corner in its client
// area, in pixels, as two signed 16-bit halves (x low, y high): lParam 0 for
// the top left, 1 for the bottom right (exclusive). PBM_SETPOS and PBM_GETPOS
// sent to the canvas set and read the progress bar element's preview value.
#define WM_TESSELDES_ELEMENT_CORNER 0x8001 // WM_APP + 1
