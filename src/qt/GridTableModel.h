#pragma once
// The grid's texts for the view, read straight from the core's GridModel:
// view row r is grid row r + 2; grid rows 0 and 1 (column headers and
// units) make the two lines of the view's column header.
#include "app/GridModel.h"

#include <QAbstractTableModel>

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridTableModel(const mardex::GridModel& grid, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Mirrors what changed in the core grid since the last call.
    void Apply(const mardex::GridModel::Changes& changes);

private:
    const mardex::GridModel& grid_;
    int shown_;  // rows the view knows of
};
