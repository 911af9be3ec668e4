// Table columns that fit their view: cut short with "..." where they must be, the full text of a
// cut cell or column title in its tooltip.
#pragma once

class QAbstractItemView;
class QTableView;

// From now on a cell or column title of view whose text does not fit shows its full text in a
// tooltip, followed by the cell's own tooltip where it has one.
void ShowCutTextInTooltips(QAbstractItemView& view);

// Where the shown columns of view are wider together than its viewport, each gives up room in
// proportion to its width above the header's least section size, so every column stays in sight
// as far as that size allows; columns that fit keep their widths.
void ShrinkColumnsToView(QTableView& view);

// From now on, while view is shown, its columns are as wide as their contents and then shrunk to
// the view (ShrinkColumnsToView) whenever it is shown, resized or its model changes, with cut
// texts in tooltips. A hidden view measures nothing. Call it once the view has its model.
void FitColumnsToView(QTableView& view);
