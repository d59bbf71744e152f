#pragma once

// CListViewControl: the row, cell and column operations of a report-mode list-view
// control that CListView<T> uses for every item type. Rows carry their item as the
// row's lParam.

#include "library/dialogs/SListViewColumn.h"
#include "library/dialogs/SListViewItemImage.h"

#include <windows.h>

#include <string>
#include <vector>

class CListViewControl {
public:
    // No column is ever narrower than this many pixels.
    static const int kMinimumColumnWidth = 30;
    // State image of a checked and of an unchecked row.
    static const UINT kChecked = 0x2000;
    static const UINT kUnchecked = 0x1000;
    // Longer cell texts are not read back (GetCellText).
    static const int kMaxCellText = 511;

    // The row whose lParam is item, or -1.
    static int FindRow(HWND list, LPARAM item);
    // The row's lParam; 0 when the row cannot be read.
    static LPARAM GetRowParam(HWND list, int row);
    static int GetRowCount(HWND list);
    // Row -1: every row.
    static void SetRowState(HWND list, int row, UINT state, UINT mask);
    static UINT GetRowState(HWND list, int row, UINT mask);
    static void SetRowCheck(HWND list, int row, bool checked);
    static void EnsureVisible(HWND list, int row);

    // Inserts a row at index (-1: at the end) with the first cell's text and picture,
    // item as lParam and the given selection and focus state. Answers the row, or -1.
    static int InsertRow(HWND list, int index, const std::string& text,
                         const SListViewItemImage& image, LPARAM item, UINT state);
    static void SetCellText(HWND list, int row, int column, const std::string& text);
    // The cell's text; false (and an empty text) when the cell cannot be read or its text
    // is longer than kMaxCellText characters.
    static bool GetCellText(HWND list, int row, int column, std::string& text);
    // The first cell's image and indent; zero for a row that cannot be read.
    static SListViewItemImage GetRowImage(HWND list, int row);
    static void SetCellTextAndImage(HWND list, int row, const std::string& text,
                                    const SListViewItemImage& image);

    // Inserts a column with its title, its width unless negative (when withWidth) and
    // its alignment unless 0. A default width above 0 is raised to what the title needs
    // (HeadingWidth); 0 stays 0.
    static void InsertColumn(HWND list, int index, const SListViewColumn& column, bool withWidth);
    static void DeleteColumn(HWND list, int index);
    // Sets the column's title and alignment (0: left); the width stays.
    static void SetColumnTitleAndFormat(HWND list, int index, const SListViewColumn& column);
    static int GetColumnWidth(HWND list, int column);
    static void SetColumnWidth(HWND list, int column, int width);
    // Sets every column's width, from the descriptors (useStoredWidths) or from the
    // control; the last column with a negative width takes what the others leave of the
    // client width, at least the absolute value. A descriptor's default width never cuts
    // its title; a width the user left is only kept above the floor of 30 pixels.
    static void AutoSizeColumns(HWND list, const std::vector<SListViewColumn>& columns,
                                bool useStoredWidths);
    // The width of the column that takes the rest: max(rest, minimum, 30).
    static int StretchWidth(int clientWidth, int scrollBarWidth, int fixedTotal, int minimum);
    // The width a column needs to show the title in its heading whole: the text in the
    // list's font and the header's text margin on either side; 0 for an empty title.
    static int HeadingWidth(HWND list, const std::string& title);
    // HeadingWidth for a column with a default width, else 0.
    static int DefaultMinimum(HWND list, const SListViewColumn& column);
};
