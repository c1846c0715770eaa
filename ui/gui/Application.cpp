#include "ui/gui/Application.h"

#include "ui/gui/ErrorReport.h"

namespace gui {

TApplication::TApplication(Desktop& desktop)
    : desktop_(desktop), pixelsPerInch_(desktop.ScreenPixelsPerInch()) {}

void TApplication::ShowException(const std::exception& error) {
    desktop_.MessageBoxA(Handle(), ErrorReportText(error.what()), Title, kErrorReportStyle);
}

void TApplication::ReportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            ShowException(error);
        } catch (...) {
            // Not one of ours: nothing to tell but that it happened.
            desktop_.MessageBoxA(Handle(), ErrorReportText("Unknown exception"), Title,
                                 kErrorReportStyle);
        }
    } catch (...) {
        // The error report itself failed (its text or its box could not be made): a
        // handler's failure must not end the message loop, and there is nowhere left
        // to tell of it.
    }
}

}  // namespace gui
