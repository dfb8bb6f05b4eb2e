// The file browser ("openfile"): a path box, a drive list, a folder list, a
// file list and "Open". What the user confirms goes to the bar's shared
// file choice; the caller learns of it only from there.
#pragma once
#include <windows.h>

#include "bar/file_choice.h"

namespace tessel::win {

class BarWindow;

// A browser already open is closed first: each opening makes a new one.
// `returnTo` is made active again when a file is confirmed.
HWND openFileBrowserWindow(BarWindow& bar, HWND returnTo);

} // namespace tessel::win
