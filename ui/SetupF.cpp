// TfrmSetup: loading, creation, showing and destruction of the window.
#include "ui/SetupF.h"

#include <string>

#include "base/Failure.h"
#include "config/Rate.h"
#include "ui/CommandLine.h"
#include "ui/Density.h"
#include "ui/Layout.h"
#include "ui/SetupLayout.h"
#include "ui/WindowHost.h"

namespace ui {

TfrmSetup::TfrmSetup(gui::TApplication& app)
    : gui::TForm(app), host_(std::make_unique<WindowHost>(*this)) {
    LoadSetupLayout(*this);
    const int ppi = app.PixelsPerInch();
    const gui::TFont scaled{Font().Name, ScaledFontHeight(Font().Height, ppi)};
    const int textHeight = ppi == layout::kWindow.designPixelsPerInch
                               ? layout::kWindow.designTextHeight
                               : app.Services().TextHeight(scaled);
    ScaleSetupLayout(*this, ppi, textHeight);

    PanelFutt = Control<gui::TPanel>("PanelFutt");
    BitBtn_Install = Control<gui::TButton>("BitBtn_Install");
    BitBtn_Close = Control<gui::TButton>("BitBtn_Close");
    dgDevices = Control<gui::TDrawGrid>("dgDevices");
    cbFilter = Control<gui::TCheckBox>("cbFilter");
    cbRate = Control<gui::TComboBox>("cbRate");
    Label1 = Control<gui::TLabel>("Label1");
    btnApply = Control<gui::TButton>("btnApply");
    pnlHEAD = Control<gui::TPanel>("pnlHEAD");
    cbMouseOnly = Control<gui::TCheckBox>("cbMouseOnly");
    cbParent = Control<gui::TCheckBox>("cbParent");
    btnCopyID = Control<gui::TButton>("btnCopyID");
    BindHandlers();
    BuildGridMenu();
}

TfrmSetup::~TfrmSetup() {
    Destroy();
}

template <typename T>
T* TfrmSetup::Control(const char* name) {
    // By the control's kind rather than dynamic_cast: the Windows programs are built
    // without run-time type information, which costs every polymorphic class its
    // type descriptor.
    gui::TControl* control = FindControl(name);
    if (control == nullptr || control->Kind() != T::ClassKind) {
        throw base::Failure(std::string("layout has no control ") + name);
    }
    return static_cast<T*>(control);
}

void TfrmSetup::BindHandlers() {
    OnCreate = [this](gui::TObject& sender) { FormCreate(sender); };
    OnShow = [this](gui::TObject& sender) { FormShow(sender); };
    OnDestroy = [this](gui::TObject& sender) { FormDestroy(sender); };
    cbMouseOnly->OnClick = [this](gui::TObject& sender) { cbMouseOnlyClick(sender); };
    cbParent->OnClick = [this](gui::TObject& sender) { cbParentClick(sender); };
    dgDevices->OnDrawCell = [this](gui::TObject& sender, int col, int row, const gui::TRect& rect,
                                   gui::TGridDrawState state) {
        dgDevicesDrawCell(sender, col, row, rect, state);
    };
    dgDevices->OnSelectCell = [this](gui::TObject& sender, int col, int row, bool& canSelect) {
        dgDevicesSelectCell(sender, col, row, canSelect);
    };
    dgDevices->OnAccessRowCount = [this] { return ListCount(); };
    dgDevices->OnAccessRowName = [this](int row) { return RowName(ListIndexOfRow(row)); };
    dgDevices->OnAccessRowDescription = [this](int row) {
        return RowDescription(ListIndexOfRow(row));
    };
    // What a paint reads about the rows is kept until that paint ends, and no longer.
    dgDevices->OnBeginPaint = [this](gui::TObject&) {
        paintReads_.emplace(DeviceList.get(), cbParent->Checked());
    };
    dgDevices->OnEndPaint = [this](gui::TObject&) { paintReads_.reset(); };
    cbFilter->OnClick = [this](gui::TObject& sender) { cbFilterClick(sender); };
    cbRate->OnClick = [this](gui::TObject& sender) { cbRateClick(sender); };
    BitBtn_Install->OnClick = [this](gui::TObject& sender) { BitBtn_InstallClick(sender); };
    btnApply->OnClick = [this](gui::TObject& sender) { btnApplyClick(sender); };
    btnCopyID->OnClick = [this](gui::TObject& sender) { btnCopyIDClick(sender); };
    BitBtn_Close->OnClick = [this](gui::TObject& sender) { BitBtn_CloseClick(sender); };
}

void TfrmSetup::FormCreate(gui::TObject&) {
    if (IsAllDevicesSwitch(FirstArgument(App().Services().CommandLine()))) {
        AllDevicesMode = true;
        cbMouseOnly->SetEnabled(false);
        cbParent->SetEnabled(false);
        pnlHEAD->SetVisible(false);
    }
    App().HintHidePause = kHintHidePause;
    for (const char* name : config::RateNames) {
        cbRate->AddItem(name);
    }
    RebuildDeviceList();
}

void TfrmSetup::FormShow(gui::TObject&) {
    // The Close button's height serves as the right margin.
    const int needed =
        PanelFutt->Left() + BitBtn_Close->Left() + BitBtn_Close->Width() + BitBtn_Close->Height();
    if (ClientWidth() < needed) {
        SetClientWidth(needed);
    }
    if (PixelsPerInch <= layout::kWindow.designPixelsPerInch) {
        return;
    }
    dgDevices->SetDefaultRowHeight(ShowTimeScaled(dgDevices->DefaultRowHeight(), PixelsPerInch));
    SetClientHeight(ShowTimeScaled(ClientHeight(), PixelsPerInch));
}

void TfrmSetup::FormDestroy(gui::TObject&) {
    DeviceList.reset();
}

bool TfrmSetup::Dispatch(gui::TMessage& message) {
    if (message.Msg != WM_DEVICECHANGE) {
        return false;
    }
    WMDeviceChange(message);
    message.Result = 0;
    return true;
}

}  // namespace ui
