#pragma once

#include "editor/widgets/Hint.h"
#include "vintara/Win32.h"

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace miravo {

struct ControlArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::wstring text{};
    DWORD style = 0; // added to WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
    HFONT font = nullptr;
    std::wstring hint{}; // "short|long"
};

// A standard or common control owned by its parent window: the parent destroys it, the object
// keeps its handle and its hint.
class Control : public HintSource {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return handle_; }
    // Binds the object to a control that a dialog template made.
    void Attach(HWND handle) { handle_ = handle; }
    int Id() const { return GetDlgCtrlID(handle_); }
    std::wstring Text() const;
    void SetText(std::wstring_view text);
    void SetBounds(int x, int y, int width, int height);
    RECT Bounds() const;
    void Show(bool visible) { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(handle_) != FALSE; }
    void Enable(bool enabled) { EnableWindow(handle_, enabled); }
    void SetFont(HFONT font) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint);
    std::wstring HintAt(POINT) const override { return hint_; }

protected:
    void CreateControl(const wchar_t* className, const ControlArgs& args);

private:
    HWND handle_ = nullptr;
    std::wstring hint_;
};

class Button : public Control {
public:
    void Create(ControlArgs args);
};

class Label : public Control {
public:
    void Create(ControlArgs args);
};

class EditBox : public Control {
public:
    void Create(ControlArgs args);
};

class ListBox : public Control {
public:
    void Create(ControlArgs args);
    void Clear();
    void Add(std::wstring_view text);
    int Count() const;
    std::wstring ItemText(int index) const;
};

class TabControl : public Control {
public:
    void Create(ControlArgs args);
    void AddTab(std::wstring_view caption);
    int Selected() const;
    void Select(int index);
    int Count() const;
    std::wstring TabText(int index) const;
    // The area inside the tab frame, in the tab control's parent's coordinates.
    RECT PageArea() const;
};

class StatusBar : public Control {
public:
    void Create(ControlArgs args);
    // Right edges of the panels; -1 extends a panel to the window's edge.
    void SetPanels(const std::vector<int>& rightEdges);
    void SetPanelText(int panel, std::wstring_view text);
    std::wstring PanelText(int panel) const;
    int Height() const;
};

struct ToolButtonArgs {
    int command = 0;
    int image = 0;
    std::wstring caption{};
    std::wstring hint{};
};

// A flat tool bar of captioned buttons; each button has its own hint.
class ToolBar : public Control {
public:
    void Create(ControlArgs args, HIMAGELIST images);
    void AddButton(const ToolButtonArgs& button);
    int ButtonCount() const;
    SIZE IdealSize() const;
    // The command of the button at a client point, or 0.
    int CommandAt(POINT client) const;
    std::wstring HintAt(POINT client) const override;
    // Screen centre of the button, for tests that click it.
    POINT ButtonCentre(int command) const;

private:
    std::vector<ToolButtonArgs> buttons_;
};

} // namespace miravo
