// TfrmSetup: a row of the device grid as a screen reader reads it. Each answer is
// read afresh through the cells' own texts; an error goes to the caller, which
// turns it into an empty text.
#include <string>

#include "ui/DeviceCellText.h"
#include "ui/SetupF.h"

namespace {

// "Yes" and "No" read mid-sentence.
std::string LowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

void AddPart(std::string& to, const char* label, const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (!to.empty()) {
        to += ", ";
    }
    if (*label != '\0') {
        to += label;
        to += ' ';
    }
    to += text;
}

}  // namespace

std::string TfrmSetup::RowName(int i) {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    TDevice& listed = DeviceList->GetDevice(i);
    TDevice& toProcess = DeviceForRow(i);
    std::string name;
    AddPart(name, "", DeviceCellText(0, listed, toProcess));
    AddPart(name, "parent", DeviceCellText(1, listed, toProcess));
    AddPart(name, "children", DeviceCellText(2, listed, toProcess));
    AddPart(name, "mouse", LowerFirst(DeviceCellText(3, listed, toProcess)));
    AddPart(name, "filter", LowerFirst(DeviceCellText(4, listed, toProcess)));
    AddPart(name, "rate", DeviceCellText(5, listed, toProcess));
    return name;
}

std::string TfrmSetup::RowDescription(int i) {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    TDevice& listed = DeviceList->GetDevice(i);
    TDevice& toProcess = DeviceForRow(i);
    std::string description;
    for (int col = 1; col < static_cast<int>(ColumnTitles.size()); ++col) {
        if (!description.empty()) {
            description += ", ";
        }
        description += ColumnTitles.at(static_cast<std::size_t>(col));
        description += ": ";
        description += DeviceCellText(col, listed, toProcess);
    }
    return description;
}
