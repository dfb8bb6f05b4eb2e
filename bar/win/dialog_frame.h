// The frame every dialog of the bar wears: the skin's background, its close
// picture at the top right and its drag picture at the top left, command
// buttons in the button colour, lists and text boxes in the list colour.
// Each dialog derives from DialogFrame; the object belongs to its window and
// is deleted with it, so a dialog's state travels with the dialog.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"

#include <memory>

namespace tessel::win {

class BarWindow;

enum class DialogKind { Exit, FileBrowser, ProgramPopup, ProgramEditor, FolderWindow, RunDialog, Count };

class DialogFrame {
public:
    virtual ~DialogFrame() = default;
    DialogFrame(const DialogFrame&) = delete;
    DialogFrame& operator=(const DialogFrame&) = delete;

    // Makes the dialog from its template, hands it to the bar and shows it
    // in front of the bar without blocking. Null when it could not be made.
    static HWND open(std::unique_ptr<DialogFrame> dialog, int templateId);
    // Keyboard handling (tab, enter) for whichever dialog of ours the
    // message is meant for; true when the message was used.
    static bool isDialogMessage(MSG& msg);
    static DialogFrame* fromWindow(HWND wnd);

    HWND hwnd() const { return wnd_; }
    DialogKind kind() const { return kind_; }

protected:
    enum class Pictures { Frame, BackgroundOnly };
    // snapMargin in twips; 0 for a dialog that only moves.
    DialogFrame(BarWindow& bar, DialogKind kind, Pictures pictures, float snapMargin);

    virtual void onInit() {}
    virtual bool onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // The dialog became the active window (also at its first showing).
    virtual void onActivate() {}
    virtual void onClosePicture() { close(); }
    // Messages the frame does not handle; return TRUE when handled.
    virtual INT_PTR onMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/) { return FALSE; }
    // Where the dialog goes when it first shows: the middle of the screen.
    virtual void place();

    void close() { DestroyWindow(wnd_); }
    // Top of the area below the frame pictures, in pixels.
    int frameTop() const;

    BarWindow& bar_;
    HWND wnd_ = nullptr;

private:
    static INT_PTR CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp);
    void loadPictures();
    void paint(HDC dc);
    bool mouse(UINT msg, WPARAM wp, LPARAM lp);
    RECT closeRect() const;
    RECT moveRect() const;
    INT_PTR controlColour(HDC dc, HWND control);

    DialogKind kind_;
    Pictures pictures_;
    float snapMargin_;
    zt::ScopedBitmap back_, closePicture_, movePicture_;
    zt::ScopedBrush buttonBrush_, listBrush_;
    COLORREF buttonColour_ = 0, listColour_ = 0;
    POINT anchor_{};
    bool dragging_ = false;
    bool closePressed_ = false;
};

} // namespace tessel::win
