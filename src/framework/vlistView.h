// The view logic of a VList control: its rows, the owner requests that fill
// them, scrolling, the thumb and the selection. One object per call, over
// the control's state.
#pragma once

#include "framework/vlist.h"

class vlistView {
public:
    explicit vlistView(VLBox* box) : v(box) {}

    bool dataMode() const { return (v->flags & vlbDataMode) != 0; }
    bool ask(UINT code);
    LRESULT askResult(UINT code);

    // Rows of the inner list box.
    std::int32_t rowData(int row) const;
    int selectedRow() const;
    void selectRow(int row);
    void selectInView(int row);  // selects a row and clears "selection outside the view"
    void addRow(const VLBStruct& item);
    void insertRow0(const VLBStruct& item);
    void deleteRow(int row);
    void clearRows();
    int rowOf(std::int32_t item) const;
    bool isSelItem(const VLBStruct& item) const;
    std::int32_t itemOf(const VLBStruct& item) const { return dataMode() ? item.data : item.index; }

    void suspend();
    void resume();
    void markOutside();
    void removeRow(int row, std::int32_t item);  // deletes the row, then VLBN_ITEMGONE
    void updateThumb();
    void trackSelection();

    int fillFrom(std::int32_t item, bool setTop);
    int fillFromAnswer(bool setTop, std::int32_t topValue, bool backward);
    int top();
    int bottom();
    int lineDown();
    int lineUp();
    int pageDown(int k) { return page(k, true); }
    int pageUp(int k) { return page(k, false); }
    int scrollBar(int code, int position);
    int countRequest();
    int initialize(bool reset);
    void layout(int givenHeight);
    void recomputeVisible();

private:
    int page(int k, bool down);
    int percentPage(int position);
    VLBox* v;
};
