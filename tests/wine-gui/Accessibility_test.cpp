// The device grid as a screen reader meets it through Windows' accessibility
// interface: the object the grid's window hands out, its rows with their names,
// roles, states and places, selection through the interface, the events that
// announce the current row, and the object's references over many questions and
// past the window's end.
#include <oleacc.h>

#include <string>
#include <vector>

#include "GuiFixture.h"
#include "device/DeviceList.h"
#include "ui/win32/ComPtr.h"

namespace gui_test {
namespace {

using win32::ComPtr;

VARIANT ChildId(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The text of a BSTR the caller owns, freed here.
std::string Take(BSTR text) {
    std::string narrow;
    if (text != nullptr) {
        for (const wchar_t* c = text; *c != L'\0'; ++c) {
            narrow += static_cast<char>(*c);
        }
        ::SysFreeString(text);
    }
    return narrow;
}

struct RecordedEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<RecordedEvent> gEvents;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    gEvents.push_back({event, window, object, child});
}

struct WinEventHookTraits {
    using Handle = HWINEVENTHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle hook) { ::UnhookWinEvent(hook); }
};

class AccessibilityTest : public GuiTest {
  protected:
    // No CoInitialize of the test's own: the window's first answer starts COM on
    // this thread, as it must in the program, where nothing else does.

    ComPtr<IAccessible> GridObject() {
        ComPtr<IAccessible> object;
        EXPECT_EQ(::AccessibleObjectFromWindow(Grid(), static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible),
                                               reinterpret_cast<void**>(object.put())),
                  S_OK);
        return object;
    }
    std::string Name(IAccessible& object, LONG child) {
        BSTR name = nullptr;
        object.get_accName(ChildId(child), &name);
        return Take(name);
    }
    LONG Long(IAccessible& object, LONG child, bool state) {
        VARIANT value{};
        const HRESULT result = state ? object.get_accState(ChildId(child), &value)
                                     : object.get_accRole(ChildId(child), &value);
        EXPECT_EQ(result, S_OK);
        return value.vt == VT_I4 ? value.lVal : -1;
    }
    // The grid row's child ID.
    LONG ChildOfRow(int row) { return row - Form().dgDevices->FixedRows + 1; }
    bool SawEvent(DWORD event, LONG child) {
        for (const RecordedEvent& seen : gEvents) {
            if (seen.event == event && seen.window == Grid() && seen.object == OBJID_CLIENT &&
                seen.child == child) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(AccessibilityTest, TheGridIsAListWhoseRowsReadAsTheirCells) {
    Open();
    ComPtr<IAccessible> grid = GridObject();
    ASSERT_TRUE(grid);
    EXPECT_EQ(Long(*grid, CHILDID_SELF, false), ROLE_SYSTEM_LIST);
    LONG count = 0;
    ASSERT_EQ(grid->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, Form().DeviceList->Count());

    const LONG plain = ChildOfRow(RowOf(kPlainMouse));
    EXPECT_EQ(Name(*grid, plain),
              "USB Input Device, parent USB Root Hub (USB 3.0), children HID-compliant mouse, "
              "mouse yes, filter yes, rate 250");
    BSTR description = nullptr;
    ASSERT_EQ(grid->get_accDescription(ChildId(plain), &description), S_OK);
    EXPECT_NE(Take(description).find("Filter?: Yes, Rate: 250"), std::string::npos);
    for (LONG child = 1; child <= count; ++child) {
        EXPECT_EQ(Long(*grid, child, false), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(Name(*grid, child), Form().RowName(static_cast<int>(child) - 1));
        const LONG state = Long(*grid, child, true);
        EXPECT_NE(state & STATE_SYSTEM_SELECTABLE, 0);
        EXPECT_NE(state & STATE_SYSTEM_FOCUSABLE, 0);
        // The plain mouse is current at the start.
        EXPECT_EQ((state & STATE_SYSTEM_SELECTED) != 0, child == plain);
    }
    VARIANT none{};
    EXPECT_EQ(grid->get_accRole(ChildId(count + 1), &none), E_INVALIDARG);

    // Where a row lies, and which row lies under a point.
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(grid->accLocation(&left, &top, &width, &height, ChildId(plain)), S_OK);
    const gui::TRect cell = Form().dgDevices->CellRect(0, RowOf(kPlainMouse));
    POINT origin{cell.Left, cell.Top};
    ::ClientToScreen(Grid(), &origin);
    EXPECT_EQ(left, origin.x);
    EXPECT_EQ(top, origin.y);
    EXPECT_EQ(height, cell.Height());
    VARIANT hit{};
    ASSERT_EQ(grid->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, plain);

    VARIANT next{};
    ASSERT_EQ(grid->accNavigate(NAVDIR_FIRSTCHILD, ChildId(CHILDID_SELF), &next), S_OK);
    EXPECT_EQ(next.lVal, 1);
    ASSERT_EQ(grid->accNavigate(NAVDIR_NEXT, ChildId(1), &next), S_OK);
    EXPECT_EQ(next.lVal, 2);
    EXPECT_EQ(grid->accNavigate(NAVDIR_NEXT, ChildId(count), &next), S_FALSE);

    ComPtr<IDispatch> parent;
    EXPECT_EQ(grid->get_accParent(parent.put()), S_OK);
    EXPECT_TRUE(parent);
}

TEST_F(AccessibilityTest, EveryQuestionRefusesAChildThatIsNoRow) {
    Open();
    ComPtr<IAccessible> grid = GridObject();
    ASSERT_TRUE(grid);
    LONG count = 0;
    ASSERT_EQ(grid->get_accChildCount(&count), S_OK);
    ASSERT_GT(count, 0);
    const int currentRow = Form().dgDevices->Row();

    VARIANT wrongType{};
    wrongType.vt = VT_I2;
    wrongType.iVal = 1;
    VARIANT empty{};
    for (const VARIANT& bad :
         {ChildId(count + 1), ChildId(-1), ChildId(0x7fffffff), wrongType, empty}) {
        SCOPED_TRACE(testing::Message() << "vt " << bad.vt << ", id " << bad.lVal);
        BSTR text = nullptr;
        EXPECT_EQ(grid->get_accName(bad, &text), E_INVALIDARG);
        EXPECT_EQ(text, nullptr);
        EXPECT_EQ(grid->get_accDescription(bad, &text), E_INVALIDARG);
        EXPECT_EQ(grid->get_accValue(bad, &text), E_INVALIDARG);
        EXPECT_EQ(grid->get_accHelp(bad, &text), E_INVALIDARG);
        EXPECT_EQ(grid->get_accKeyboardShortcut(bad, &text), E_INVALIDARG);
        EXPECT_EQ(grid->get_accDefaultAction(bad, &text), E_INVALIDARG);
        EXPECT_EQ(text, nullptr);
        LONG topic = -1;
        EXPECT_EQ(grid->get_accHelpTopic(&text, bad, &topic), E_INVALIDARG);
        EXPECT_EQ(topic, 0);

        VARIANT out{};
        out.vt = VT_I4;
        EXPECT_EQ(grid->get_accRole(bad, &out), E_INVALIDARG);
        EXPECT_EQ(out.vt, VT_EMPTY);
        out.vt = VT_I4;
        EXPECT_EQ(grid->get_accState(bad, &out), E_INVALIDARG);
        EXPECT_EQ(out.vt, VT_EMPTY);
        out.vt = VT_I4;
        EXPECT_EQ(grid->accNavigate(NAVDIR_NEXT, bad, &out), E_INVALIDARG);
        EXPECT_EQ(out.vt, VT_EMPTY);

        ComPtr<IDispatch> object;
        EXPECT_EQ(grid->get_accChild(bad, object.put()), E_INVALIDARG);
        EXPECT_FALSE(object);
        LONG left = 1, top = 1, width = 1, height = 1;
        EXPECT_EQ(grid->accLocation(&left, &top, &width, &height, bad), E_INVALIDARG);
        EXPECT_EQ(left | top | width | height, 0);

        // Nothing is selected through a bad child.
        EXPECT_EQ(grid->accSelect(SELFLAG_TAKESELECTION, bad), E_INVALIDARG);
        EXPECT_EQ(grid->accDoDefaultAction(bad), E_INVALIDARG);
        EXPECT_EQ(Form().dgDevices->Row(), currentRow);
    }
    // The last row still answers: the check is not off by one.
    BSTR last = nullptr;
    EXPECT_EQ(grid->get_accName(ChildId(count), &last), S_OK);
    EXPECT_FALSE(Take(last).empty());
    BSTR value = nullptr;
    EXPECT_EQ(grid->get_accValue(ChildId(count), &value), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AccessibilityTest, SelectingThroughTheInterfaceMovesTheCurrentRowAndAnnouncesIt) {
    Open();
    const base::UniqueHandle<WinEventHookTraits> hook(
        ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTION, nullptr, &RecordEvent,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT));
    ASSERT_TRUE(hook);
    gEvents.clear();
    ComPtr<IAccessible> grid = GridObject();
    ASSERT_TRUE(grid);

    const int hubMouseRow = RowOf(kHubMouse);
    const LONG hubMouse = ChildOfRow(hubMouseRow);
    ASSERT_EQ(grid->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, ChildId(hubMouse)), S_OK);
    Pump();
    EXPECT_EQ(Form().dgDevices->Row(), hubMouseRow);
    EXPECT_EQ(::GetFocus(), Grid());
    EXPECT_EQ(ComboSelection(), 6);  // the controls show the hub mouse, as after a click
    EXPECT_TRUE(SawEvent(EVENT_OBJECT_FOCUS, hubMouse));
    EXPECT_TRUE(SawEvent(EVENT_OBJECT_SELECTION, hubMouse));
    const LONG state = Long(*grid, hubMouse, true);
    EXPECT_NE(state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_NE(state & STATE_SYSTEM_FOCUSED, 0);
    VARIANT focus{};
    ASSERT_EQ(grid->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, hubMouse);
    EXPECT_EQ(grid->accSelect(SELFLAG_ADDSELECTION, ChildId(1)), E_INVALIDARG);

    // A key moves the current row too, and the reader hears of it.
    gEvents.clear();
    const int otherRow =
        hubMouseRow == Form().dgDevices->FixedRows ? hubMouseRow + 1 : hubMouseRow - 1;
    Key(Grid(), otherRow > hubMouseRow ? VK_DOWN : VK_UP);
    Pump();
    EXPECT_TRUE(SawEvent(EVENT_OBJECT_FOCUS, ChildOfRow(otherRow)));

    // The default action picks the row as a click does.
    ASSERT_EQ(grid->accDoDefaultAction(ChildId(hubMouse)), S_OK);
    EXPECT_EQ(Form().dgDevices->Row(), hubMouseRow);

    // A rebuild reorders the list.
    gEvents.clear();
    EXPECT_EQ(::SendMessageA(Main(), WM_DEVICECHANGE, 0x0007, 0), 0);
    Pump();
    EXPECT_TRUE(SawEvent(EVENT_OBJECT_REORDER, CHILDID_SELF));
}

TEST_F(AccessibilityTest, ManyQuestionsLeaveNoReferenceAndTheObjectOutlivesItsWindow) {
    Open();
    ComPtr<IAccessible> grid = GridObject();
    ASSERT_TRUE(grid);
    for (int i = 0; i < 500; ++i) {
        ComPtr<IAccessible> again = GridObject();
        ASSERT_EQ(again.get(), grid.get());  // the one object, asked again
    }
    // Ours, the window's and this one: nothing else holds a reference.
    EXPECT_EQ(grid->AddRef(), 3u);
    EXPECT_EQ(grid->Release(), 2u);

    // The window goes while a reader still holds the object.
    window_.reset();
    Pump();
    LONG count = -1;
    EXPECT_EQ(grid->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(grid->get_accName(ChildId(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(grid->accSelect(SELFLAG_TAKESELECTION, ChildId(1)), CO_E_OBJNOTCONNECTED);
    // Only the reader's reference is left, and its release ends the object.
    EXPECT_EQ(grid->AddRef(), 2u);
    EXPECT_EQ(grid->Release(), 1u);
    EXPECT_EQ(grid.release()->Release(), 0u);
}

}  // namespace
}  // namespace gui_test
