#include "ui/camera_table_model.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <gtest/gtest.h>

namespace netlark::testing {
namespace {

CameraRow rowWithSerial(std::string_view serial) {
    VxWorksAnnouncement announcement;
    announcement.serial = FieldText<vxworks_layout::ANNOUNCE_SERIAL_WIDTH>::from(serial);
    return rowFromAnnouncement(announcement);
}

QStringList serials(const CameraTableModel& model) {
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result << model.index(row, COLUMN_SERIAL).data().toString();
    }
    return result;
}

TEST(CameraTableModelTest, AnnouncesEachRowAtItsSortedPlace) {
    CameraTableModel model;
    // The tester fails the test if the model contradicts what it announced,
    // e.g. showing the new row before telling the views about it.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    std::vector<int> announcedRows;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int) { announcedRows.push_back(first); });

    for (const char* serial : {"M", "C", "X", "a", "D"}) {
        model.insert(rowWithSerial(serial));
    }

    EXPECT_EQ(serials(model), (QStringList{"a", "C", "D", "M", "X"}));
    EXPECT_EQ(announcedRows, (std::vector<int>{0, 0, 2, 0, 2}));
}

TEST(CameraTableModelTest, KeepsASelectionOnItsRowWhenRowsAreInsertedAbove) {
    CameraTableModel model;
    QItemSelectionModel selection(&model);
    model.insert(rowWithSerial("M"));
    selection.select(model.index(0, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    model.insert(rowWithSerial("A"));
    model.insert(rowWithSerial("Z"));

    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(selection.selectedRows()[0].data().toString(), "M");
}

TEST(CameraTableModelTest, ShowsEveryByteOfASerialAndHeadsOnlyTheVisibleColumns) {
    CameraTableModel model;
    model.insert(rowWithSerial("CAM\xE9"));
    EXPECT_EQ(model.index(0, COLUMN_SERIAL).data().toString(), QString::fromUtf8("CAM\u00e9"));
    EXPECT_EQ(model.headerData(COLUMN_SERIAL, Qt::Horizontal).toString(), "Serial Number");
    EXPECT_EQ(model.headerData(COLUMN_MAC, Qt::Horizontal).toString(), "MAC Address");
    EXPECT_EQ(model.headerData(COLUMN_IP, Qt::Horizontal).toString(), "IP Address");
    for (int column = COLUMN_GATEWAY; column < CAMERA_COLUMN_COUNT; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), "");
    }

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
} // namespace netlark::testing
