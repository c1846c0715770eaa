// quorvin_grid_text: runs the setup window without a screen on the simulated
// machine and prints what the device grid's cells show: the header, every row's
// six cells and the row's marking ("hub", "hub parent" or nothing), with the
// current row marked by ">". Takes the program's own command line ("/ALL").
#include <cstdio>
#include <string>

#include "ui/headless/HeadlessWindow.h"

namespace {

// Quotes one argument so that the platform's command-line splitting gives it back.
std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        return arg;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

const char* Marking(gui::TColor color) {
    if (color == ui::kHubColor) {
        return "hub";
    }
    if (color == ui::kHubParentColor) {
        return "hub parent";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    headless::WindowOptions options;
    options.commandLine = "quorvin_grid_text";
    for (int i = 1; i < argc; ++i) {
        options.commandLine += " " + QuoteArgument(argv[i]);
    }
    headless::HeadlessWindow window(options);
    ui::TfrmSetup& form = window.Form();
    gui::TDrawGrid& grid = *form.dgDevices;

    // Tall enough for every row to be painted.
    const int stride = grid.DefaultRowHeight() + grid.GridLineWidth;
    form.SetClientHeight(form.ClientHeight() + grid.RowCount() * stride);
    window.Paint();

    for (const auto& box : window.Desktop().MessageBoxes()) {
        std::printf("Message: %s\n", box.text.c_str());
    }
    std::printf("Mode: %s\n", form.AllDevicesMode ? "all devices" : "HID devices");
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::string line = row == grid.Row() ? "> " : "  ";
        std::string mark;
        for (int col = 0; col < grid.ColCount(); ++col) {
            const auto cell = window.Cell(col, row);
            line += (col == 0 ? "" : " | ") + (cell ? cell->text : std::string());
            if (cell && cell->filledByHandler && mark.empty()) {
                mark = Marking(cell->background);
            }
        }
        line += " | " + (row < grid.FixedRows ? std::string("Mark") : mark);
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
