// The device grid's accessible object: what Windows hands a screen reader that
// asks the grid's window for its client area (WM_GETOBJECT, OBJID_CLIENT). A list
// whose items are the data rows, each answered from gui::GridAccess when asked.
//
// References: the grid's window keeps one for as long as it exists and hands out
// more through LresultFromObject. A reader may keep its own after the window is
// gone: the window disconnects the object first, so that every later question
// fails with CO_E_OBJNOTCONNECTED instead of reaching a grid that no longer
// exists, and the object goes with the last reference.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "ui/gui/GridAccess.h"
#include "ui/win32/AccessibilityLibrary.h"
#include "ui/win32/ComPtr.h"

namespace win32 {

class GridAccessible final : public IAccessible {
  public:
    // A new object with one reference, the caller's.
    static ComPtr<GridAccessible> Create(gui::TDrawGrid& grid, HWND window,
                                         const AccessibilityLibrary& library);
    GridAccessible(gui::TDrawGrid& grid, HWND window, const AccessibilityLibrary& library);
    GridAccessible(const GridAccessible&) = delete;
    GridAccessible& operator=(const GridAccessible&) = delete;

    // The window is going: no question reaches the grid any more.
    void Disconnect() { access_.reset(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; readers call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

  private:
    // Only the last Release ends the object.
    friend struct std::default_delete<GridAccessible>;
    ~GridAccessible() = default;
    // Every question but the two setters goes through one of these. Connected: a
    // disconnected object answers CO_E_OBJNOTCONNECTED, and no C++ error crosses
    // into the reader's call; `answer` gets the grid to read. AboutChild adds the one
    // check of the child a reader names: a VT_I4 holding CHILDID_SELF
    // (gui::GridAccess::kSelf) or an existing row's ID reaches `answer` as that ID;
    // any other type, or an ID outside the rows, is E_INVALIDARG and reaches nothing.
    template <typename Answer>
    HRESULT Connected(const Answer& answer);
    template <typename Answer>
    HRESULT AboutChild(const VARIANT& child, const Answer& answer);
    HRESULT Text(const std::string& text, BSTR* out) const;

    std::atomic<ULONG> references_{1};
    std::optional<gui::GridAccess> access_;
    HWND window_;
    const AccessibilityLibrary& library_;
};

}  // namespace win32
