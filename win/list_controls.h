// Typed views of the list box and combo box messages, with UTF-8 texts. They
// do not own the window: the pane that created the control destroys it.
#pragma once

#include <windows.h>

#include <string>

namespace nq {

class ListBox {
  public:
    explicit ListBox(HWND window = nullptr) : window_(window) {}
    HWND Handle() const { return window_; }

    int Count() const;
    // The row the new text took (sorted lists insert in order); -1 on failure.
    int Add(const std::string& text, LPARAM data = 0);
    void Delete(int row) const;
    void Clear() const;
    // Inserts a row with text at row (-1: at the end), also in a sorted list;
    // the row it took, -1 on failure.
    int Insert(int row, const std::string& text) const;
    // Text of row; empty when there is no such row.
    std::string Text(int row) const;
    std::wstring WideText(int row) const;
    LPARAM Data(int row) const; // 0 when there is no such row
    void SetData(int row, LPARAM data) const;
    // The selected row of a single-selection list; -1 when there is none.
    int Selection() const;
    // The row holding the focus rectangle (multiple-selection lists).
    int Caret() const;
    // The row at a point in the list's client area; -1 outside every row.
    int RowAt(POINT clientPoint) const;

  private:
    HWND window_;
};

class ComboBox {
  public:
    explicit ComboBox(HWND window = nullptr) : window_(window) {}
    HWND Handle() const { return window_; }

    void Add(const std::string& text) const;
    int Selection() const; // -1 when none
    std::string Text(int row) const;

  private:
    HWND window_;
};

// Suspends a window's repainting while its content is rebuilt, and repaints
// it once at the end.
class RedrawSuspended {
  public:
    explicit RedrawSuspended(HWND window) : window_(window) {
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;
    ~RedrawSuspended() {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }

  private:
    HWND window_;
};

} // namespace nq
