#include "ui/win32/GridAccessible.h"

#include <string>

namespace win32 {

namespace {

// What the default action of a row does, as a reader names it.
constexpr wchar_t kSelectAction[] = L"Select";

void SetChild(VARIANT* variant, LONG child) {
    variant->vt = VT_I4;
    variant->lVal = child;
}

void SetEmpty(VARIANT* variant) {
    variant->vt = VT_EMPTY;
}

// Runs one question; a C++ error never crosses into the reader's COM call.
template <typename Answer>
HRESULT Guarded(const Answer& answer) {
    try {
        return answer();
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

ComPtr<GridAccessible> GridAccessible::Create(gui::TDrawGrid& grid, HWND window,
                                              const AccessibilityLibrary& library) {
    // The object owns itself from here on: its reference count decides its end.
    return ComPtr<GridAccessible>(
        std::make_unique<GridAccessible>(grid, window, library).release());
}

GridAccessible::GridAccessible(gui::TDrawGrid& grid, HWND window,
                               const AccessibilityLibrary& library)
    : access_(std::in_place, grid), window_(window), library_(library) {}

HRESULT GridAccessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG GridAccessible::AddRef() {
    return ++references_;
}

ULONG GridAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        // The one place the object ends: the last reference is gone.
        std::unique_ptr<GridAccessible>(this).reset();
    }
    return left;
}

HRESULT GridAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT GridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT GridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

template <typename Answer>
HRESULT GridAccessible::Connected(const Answer& answer) {
    if (!access_) {
        return CO_E_OBJNOTCONNECTED;
    }
    return Guarded([&] { return answer(*access_); });
}

template <typename Answer>
HRESULT GridAccessible::AboutChild(const VARIANT& child, const Answer& answer) {
    return Connected([&](gui::GridAccess& access) -> HRESULT {
        if (child.vt != VT_I4) {
            return E_INVALIDARG;
        }
        if (child.lVal == CHILDID_SELF) {
            return answer(access, gui::GridAccess::kSelf);
        }
        if (!access.IsChild(child.lVal)) {
            return E_INVALIDARG;
        }
        return answer(access, static_cast<int>(child.lVal));
    });
}

HRESULT GridAccessible::Text(const std::string& text, BSTR* out) const {
    if (text.empty()) {
        return S_FALSE;
    }
    // The grid's texts are in the ANSI code page, as it draws them.
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return S_FALSE;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    *out = library_.AllocString(wide.data(), static_cast<UINT>(length));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT GridAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    return Connected([&](gui::GridAccess&) {
        // The window around the client area, as Windows describes it.
        return library_.StdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch),
                                            reinterpret_cast<void**>(parent));
    });
}

HRESULT GridAccessible::get_accChildCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return Connected([&](gui::GridAccess& access) {
        *count = access.ChildCount();
        return S_OK;
    });
}

HRESULT GridAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    // Rows are simple elements, answered by this object through their child IDs.
    return AboutChild(child, [](gui::GridAccess&, int id) {
        return id == gui::GridAccess::kSelf ? E_INVALIDARG : S_FALSE;
    });
}

HRESULT GridAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    return AboutChild(child,
                      [&](gui::GridAccess& access, int id) { return Text(access.Name(id), name); });
}

HRESULT GridAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = nullptr;
    return AboutChild(child, [](gui::GridAccess&, int) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT GridAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (description == nullptr) {
        return E_POINTER;
    }
    *description = nullptr;
    return AboutChild(child, [&](gui::GridAccess& access, int id) {
        return Text(access.Description(id), description);
    });
}

HRESULT GridAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    SetEmpty(role);
    return AboutChild(child, [&](gui::GridAccess&, int id) {
        SetChild(role, id == gui::GridAccess::kSelf ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
        return S_OK;
    });
}

HRESULT GridAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    SetEmpty(state);
    return AboutChild(child, [&](gui::GridAccess& access, int id) {
        LONG bits = 0;
        const bool hasFocus = ::GetFocus() == window_;
        if (id == gui::GridAccess::kSelf) {
            bits |= STATE_SYSTEM_FOCUSABLE;
            if (!::IsWindowEnabled(window_)) {
                bits |= STATE_SYSTEM_UNAVAILABLE;
            }
            // With no row to hold it, the focus is the list's own.
            if (hasFocus && access.CurrentChild() == gui::GridAccess::kSelf) {
                bits |= STATE_SYSTEM_FOCUSED;
            }
        } else {
            const gui::GridAccess::State row = access.ChildState(id);
            if (row.focusable) {
                bits |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
            }
            if (row.selected) {
                bits |= STATE_SYSTEM_SELECTED;
            }
            if (row.selected && hasFocus) {
                bits |= STATE_SYSTEM_FOCUSED;
            }
            if (row.offscreen) {
                bits |= STATE_SYSTEM_OFFSCREEN;
            }
        }
        SetChild(state, bits);
        return S_OK;
    });
}

HRESULT GridAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (help == nullptr) {
        return E_POINTER;
    }
    *help = nullptr;
    return AboutChild(child, [](gui::GridAccess&, int) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT GridAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (file == nullptr || topic == nullptr) {
        return E_POINTER;
    }
    *file = nullptr;
    *topic = 0;
    return AboutChild(child, [](gui::GridAccess&, int) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT GridAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (shortcut == nullptr) {
        return E_POINTER;
    }
    *shortcut = nullptr;
    return AboutChild(child, [](gui::GridAccess&, int) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT GridAccessible::get_accFocus(VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    SetEmpty(child);
    return Connected([&](gui::GridAccess& access) {
        if (::GetFocus() != window_) {
            return S_FALSE;
        }
        SetChild(child, access.CurrentChild());
        return S_OK;
    });
}

HRESULT GridAccessible::get_accSelection(VARIANT* children) {
    if (children == nullptr) {
        return E_POINTER;
    }
    SetEmpty(children);
    return Connected([&](gui::GridAccess& access) {
        const int current = access.CurrentChild();
        if (current == gui::GridAccess::kSelf) {
            return S_FALSE;
        }
        SetChild(children, current);
        return S_OK;
    });
}

HRESULT GridAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    return AboutChild(child, [&](gui::GridAccess&, int id) {
        if (id == gui::GridAccess::kSelf) {
            return S_FALSE;
        }
        *action =
            library_.AllocString(kSelectAction, static_cast<UINT>(std::size(kSelectAction) - 1));
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT GridAccessible::accSelect(LONG flags, VARIANT child) {
    return AboutChild(child, [&](gui::GridAccess& access, int id) {
        // One row is current at a time: it can be taken, never added or extended.
        constexpr LONG kSupported = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
        if ((flags & ~kSupported) != 0 || flags == 0) {
            return E_INVALIDARG;
        }
        if ((flags & SELFLAG_TAKEFOCUS) != 0 && ::GetFocus() != window_) {
            ::SetFocus(window_);
        }
        if (id == gui::GridAccess::kSelf) {
            return (flags & SELFLAG_TAKESELECTION) != 0 ? E_INVALIDARG : S_OK;
        }
        // Taking the focus runs the window's code, which may have let the grid go.
        return access_.has_value() && access.Select(id) ? S_OK : S_FALSE;
    });
}

HRESULT GridAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                    VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    return AboutChild(child, [&](gui::GridAccess& access, int id) {
        RECT rect{};
        if (id == gui::GridAccess::kSelf) {
            ::GetClientRect(window_, &rect);
        } else {
            const gui::TRect row = access.Location(id);
            if (row.Empty()) {
                return S_FALSE;
            }
            rect = {row.Left, row.Top, row.Right, row.Bottom};
        }
        POINT origin{rect.left, rect.top};
        ::ClientToScreen(window_, &origin);
        *left = origin.x;
        *top = origin.y;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT GridAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) {
        return E_POINTER;
    }
    SetEmpty(end);
    return AboutChild(start, [&](gui::GridAccess& access, int from) {
        using Direction = gui::GridAccess::Direction;
        Direction way{};
        switch (direction) {
            case NAVDIR_FIRSTCHILD:
                way = Direction::First;
                break;
            case NAVDIR_LASTCHILD:
                way = Direction::Last;
                break;
            case NAVDIR_NEXT:
            case NAVDIR_DOWN:
                way = Direction::Next;
                break;
            case NAVDIR_PREVIOUS:
            case NAVDIR_UP:
                way = Direction::Previous;
                break;
            default:
                // Left and right lead nowhere in a list of rows; neither does
                // anything from the list itself but its first and last child.
                return S_FALSE;
        }
        const int to = access.Navigate(from, way);
        if (to < 0) {
            return S_FALSE;
        }
        SetChild(end, to);
        return S_OK;
    });
}

HRESULT GridAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    SetEmpty(child);
    return Connected([&](gui::GridAccess& access) {
        POINT point{x, y};
        ::ScreenToClient(window_, &point);
        const int id = access.ChildAt(point.x, point.y);
        if (id < 0) {
            return S_FALSE;
        }
        SetChild(child, id);
        return S_OK;
    });
}

HRESULT GridAccessible::accDoDefaultAction(VARIANT child) {
    return AboutChild(child, [](gui::GridAccess& access, int id) {
        if (id == gui::GridAccess::kSelf) {
            return DISP_E_MEMBERNOTFOUND;
        }
        return access.Select(id) ? S_OK : S_FALSE;
    });
}

HRESULT GridAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

}  // namespace win32
