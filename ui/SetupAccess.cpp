// TfrmSetup: a row of the device grid as a screen reader reads it. Each answer is
// read afresh, through the reads the painted cells use, and kept for that answer
// alone; an error goes to the caller, which turns it into an empty text.
#include <string>

#include "ui/RowReads.h"
#include "ui/SetupF.h"

namespace ui {

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
    RowReads reads(DeviceList.get(), cbParent->Checked());
    std::string name;
    AddPart(name, "", reads.CellText(i, 0));
    AddPart(name, "parent", reads.CellText(i, 1));
    AddPart(name, "children", reads.CellText(i, 2));
    AddPart(name, "mouse", LowerFirst(reads.CellText(i, 3)));
    AddPart(name, "filter", LowerFirst(reads.CellText(i, 4)));
    AddPart(name, "rate", reads.CellText(i, 5));
    return name;
}

std::string TfrmSetup::RowDescription(int i) {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    RowReads reads(DeviceList.get(), cbParent->Checked());
    std::string description;
    for (int col = 1; col < static_cast<int>(ColumnTitles.size()); ++col) {
        if (!description.empty()) {
            description += ", ";
        }
        description += ColumnTitles.at(static_cast<std::size_t>(col));
        description += ": ";
        description += reads.CellText(i, col);
    }
    return description;
}

}  // namespace ui
