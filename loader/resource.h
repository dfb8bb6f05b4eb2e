// Resource ids of zrvload.exe. Control ids inside the dialogs are fixed: other
// programs and scripts drive the pages by them.
#pragma once

// Icon and tray menu.
#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 137
#define ID_CONFIGURE_ZIRVANE 32771
#define ID_UNLOAD_ZIRVANE 32772

// Commands the loader window takes from outside.
#define ID_LOADER_BIND 1000
#define ID_LOADER_UNBIND 1001
#define ID_LOADER_CONFIGURE 1002

// Dialog templates.
#define IDD_LOADER 102
#define IDD_PAGE_ABOUT 130
#define IDD_PAGE_ANIMATIONS 131
#define IDD_PAGE_MENUS 132
#define IDD_PAGE_DRAGGING 133
#define IDD_PAGE_MAXIMIZE 134
#define IDD_PAGE_ICONS 135
#define IDD_PAGE_TRANSPARENCY 136
#define IDD_PAGE_STARTUP 138
#define IDD_PAGE_SHADOWS 139
#define IDD_SHADOW_SETTINGS 140
#define IDD_ADD_APP_TRANS 141
#define IDD_MODIFY_APP_TRANS 142

// Pictures.
#define IDB_BANNER_ABOUT 150
#define IDB_BANNER_ANIM 151
#define IDB_BANNER_MENU 152
#define IDB_BANNER_DRAG 153
#define IDB_BANNER_MAX 154
#define IDB_BANNER_ICONS 155
#define IDB_BANNER_TRANS 156
#define IDB_BANNER_SHADOW 157
#define IDB_LOGO 158
#define IDB_SLIDE_WINDOW 159


// Controls shared by several templates.
#define IDC_STATIC -1
#define IDC_BUTTON_1000 1000
#define IDC_BUTTON_1001 1001
#define IDC_BUTTON_1002 1002

// About page.
#define IDC_ABOUT_SITE 1000
#define IDC_ABOUT_SUITE 1001

// Animations page.
#define IDC_SLIDE_TOPLEFT 1002
#define IDC_SLIDE_TOP 1003
#define IDC_SLIDE_TOPRIGHT 1004
#define IDC_SLIDE_RIGHT 1005
#define IDC_SLIDE_BOTTOMRIGHT 1006
#define IDC_SLIDE_BOTTOM 1007
#define IDC_SLIDE_BOTTOMLEFT 1008
#define IDC_SLIDE_LEFT 1009
#define IDC_SLIDE_SCREEN 1010
#define IDC_FADE 1011
#define IDC_SLIDE 1012
#define IDC_SLIDE_TOOL 1013
#define IDC_FADE_NONSIZE 1014
#define IDC_FADE_SMALL 1015

// Menu Effects and Window Dragging pages.
#define IDC_EFFECT_ON 1010
#define IDC_EFFECT_EXTRA 1011
#define IDC_VISIBILITY 1013

// Maximize page.
#define IDC_MAXLIMIT 1010
#define IDC_MAXLEFT 1011
#define IDC_MAXWIDTH 1014
#define IDC_MAXHEIGHT 1015

// Desktop Icons page.
#define IDC_ICON_SETCOLOUR 1000
#define IDC_ICON_TRANSPARENT 1010
#define IDC_ICON_FORECOLOUR 1011

// Transparency page.
#define IDC_APP_ADD 1000
#define IDC_APP_DELETE 1001
#define IDC_APP_MODIFY 1002
#define IDC_APP_LIST 1015

// Startup page.
#define IDC_STARTUP_RUN 1010
#define IDC_STARTUP_SHOWICON 1011

// Shadows page.
#define IDC_SHADOWS_SETTINGS 1000
#define IDC_SHADOWS_BLACK 1002
#define IDC_SHADOWS_CONSTANT 1003
#define IDC_SHADOWS_VARIABLE 1004
#define IDC_SHADOWS_ON 1010

// Shadow settings dialog.
#define IDC_SHSET_SEMITRANS 1010
#define IDC_SHSET_ALPHA 1013
#define IDC_SHSET_SIZE 1014
#define IDC_SHSET_INVISIBLE 1017
#define IDC_SHSET_VISIBLE 1018
#define IDC_SHSET_SIZE_LABEL 1019

// Add and modify dialogs.
#define IDC_ADD_BROWSE 1000
#define IDC_ADD_SLIDER 1013
#define IDC_ADD_NAME 1014
#define IDC_ADD_KIND 1016
#define IDC_MOD_NAME 1020
#define IDC_APP_NOEFFECTS 1021
