#include "ui/win32/RawInputSink.h"

#include "base/Failure.h"
#include "input/DeviceHint.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeStepMs = 50;
// The countdown shows whole seconds; a quarter keeps it from lagging visibly.
constexpr UINT_PTR kConfirmTimer = 2;
constexpr UINT kConfirmStepMs = 250;

// Windows allows one listener per process; so does the program.
RawInputSink* theSink = nullptr;

}  // namespace

RawInputSink::RawInputSink(HINSTANCE instance, ui::TfrmSetup& form, HWND mainWindow, HFONT font)
    : instance_(instance), form_(form), mainWindow_(mainWindow), font_(font) {
    const HWND window = ::CreateWindowExA(0, kRawInputClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, instance, this);
    if (window == nullptr) {
        throw base::Failure("CreateWindowEx raw input");
    }
    window_ = WindowHandle(window);
    registered_ = input::RegisterRawInput(window);
    theSink = this;
    ConnectConfirmations();
}

void RawInputSink::ConnectConfirmations() {
    form_.OnConfirmWait = [this] {
        if (!confirming_) {
            confirming_ = ::SetTimer(window_.get(), kConfirmTimer, kConfirmStepMs, nullptr) != 0;
        }
    };
    form_.OnAskToKeep = [this](const std::string& instanceId) {
        questions_.push_back(
            std::make_unique<ConfirmWindow>(instance_, mainWindow_, font_, form_, instanceId));
    };
    form_.OnConfirmSettled = [this](const std::string& instanceId) {
        for (const auto& question : questions_) {
            if (question->InstanceId() == instanceId) {
                question->Close();
            }
        }
    };
}

std::vector<ConfirmWindow*> RawInputSink::Questions() const {
    std::vector<ConfirmWindow*> open;
    for (const auto& question : questions_) {
        if (!question->Closed()) {
            open.push_back(question.get());
        }
    }
    return open;
}

void RawInputSink::TickConfirmations() {
    // A question or a revert's message runs a message loop of its own, in which this
    // timer ticks again: the form allows for that, and the list below is walked after.
    form_.App().Guard([this] { form_.ConfirmTick(input::CounterNow()); });
    std::erase_if(questions_, [](const auto& question) { return question->Closed(); });
    for (const auto& question : questions_) {
        question->Refresh(input::CounterNow());
    }
    if (form_.Confirmations().empty() && questions_.empty() && confirming_) {
        ::KillTimer(window_.get(), kConfirmTimer);
        confirming_ = false;
    }
}

RawInputSink::~RawInputSink() {
    theSink = nullptr;
    form_.OnConfirmWait = nullptr;
    form_.OnAskToKeep = nullptr;
    form_.OnConfirmSettled = nullptr;
    questions_.clear();
    if (registered_) {
        input::UnregisterRawInput();
    }
    measuring_.reset();
    window_.reset();
}

MeasureWindow* RawInputSink::Measuring() const {
    return measuring_ && !measuring_->Closed() ? measuring_.get() : nullptr;
}

void RawInputSink::Measure(int i) {
    device::TDevice& listed = form_.DeviceList->GetDevice(i);
    // The name the device reports tells it from the others, which share a description.
    MeasureTarget target{input::BusReportedName(listed).value_or(listed.GetDescription()),
                         form_.CollectionsOfRow(i), form_.MeasuredSetting(i),
                         !listed.IsMouseParent()};
    measuring_.reset();
    measuring_ = std::make_unique<MeasureWindow>(instance_, mainWindow_, font_, std::move(target));
}

void RawInputSink::Input(HRAWINPUT input, WPARAM code) {
    const std::optional<input::Report> report = reader_.Read(input, code);
    if (!report) {
        return;
    }
    if (MeasureWindow* measuring = Measuring()) {
        measuring->Report(*report);
    }
    // A device that confirms a change may well be used in another program meanwhile.
    form_.ConfirmReport(*report);
    // The marks are for finding a device while using this program.
    if (::GetActiveWindow() == nullptr || !form_.InputArrived(*report)) {
        return;
    }
    form_.dgDevices->Invalidate();
    if (!fading_) {
        fading_ = ::SetTimer(window_.get(), kFadeTimer, kFadeStepMs, nullptr) != 0;
    }
}

void RawInputSink::Fade() {
    form_.dgDevices->Invalidate();
    if (!form_.ActivityShowing(input::CounterNow())) {
        ::KillTimer(window_.get(), kFadeTimer);
        fading_ = false;
    }
}

LRESULT RawInputSink::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INPUT: {
            Input(reinterpret_cast<HRAWINPUT>(lParam), GET_RAWINPUT_CODE_WPARAM(wParam));
            // The system frees the report's memory there.
            return ::DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_TIMER:
            if (wParam == kConfirmTimer) {
                TickConfirmations();
            } else {
                Fade();
            }
            return 0;
        case WM_DEVICECHANGE:
            // Handles of devices that left may come back naming others.
            reader_.Forget();
            return TRUE;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::vector<std::string> MeasuredCollections() {
    const MeasureWindow* measuring = theSink != nullptr ? theSink->Measuring() : nullptr;
    return measuring != nullptr ? measuring->Target().collections : std::vector<std::string>();
}

std::vector<std::string> WatchedCollections() {
    std::vector<std::string> collections;
    if (theSink == nullptr) {
        return collections;
    }
    for (const confirm::Watch& watch : theSink->Form().Confirmations()) {
        if (watch.CurrentStage() == confirm::Stage::Watching) {
            const auto& own = watch.Device().collections;
            collections.insert(collections.end(), own.begin(), own.end());
        }
    }
    return collections;
}

LRESULT CALLBACK RawInputSinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<RawInputSink, &RawInputSink::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
