// The rows of a list-view in report mode as text, read the way a screen reader
// reads them: item by item, column by column.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace gui_test {

inline int ListViewColumns(HWND list) {
    const auto header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

inline std::vector<std::vector<std::string>> ListViewRows(HWND list) {
    std::vector<std::vector<std::string>> rows;
    const int columns = ListViewColumns(list);
    const auto count = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            char text[512] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
            cells.push_back(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace gui_test
