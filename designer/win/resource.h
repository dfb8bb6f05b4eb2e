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

// Canvas elements: element index (0 to 27) + IDC_ELEMENT_BASE.
#define IDC_ELEMENT_BASE 2000
