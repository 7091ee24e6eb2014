#include "ui/ip_address_field.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace netlark::testing {
namespace {

/// An address field between two text fields in an active window, so typing
/// follows the focus as it does for a user.
class IpAddressFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        field->setFocus(Qt::TabFocusReason);
    }

    QLineEdit& octet(int index) const { return *field->findChildren<QLineEdit*>().at(index); }

    QString shown() const {
        return QStringList{octet(0).text(), octet(1).text(), octet(2).text(), octet(3).text()}.join(
            QLatin1Char('.'));
    }

    /// Types into whatever has the focus.
    static void type(const QString& keys) { QTest::keyClicks(nullptr, keys); }
    static void press(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }

    QWidget m_window;
    QLineEdit* before = new QLineEdit(&m_window);
    IpAddressField* field = new IpAddressField(QStringLiteral("IP Address"), &m_window);
    QLineEdit* after = new QLineEdit(&m_window);
};

TEST_F(IpAddressFieldTest, MovesOnAfterThreeDigitsOrADot) {
    type("1921681.5");
    EXPECT_EQ(shown(), "192.168.1.5");

    const AddressFieldValue value = field->read();
    EXPECT_EQ(value.octets, (Ipv4Address{192, 168, 1, 5}));
    EXPECT_EQ(value.filled, 4);
}

TEST_F(IpAddressFieldTest, RefusesDigitsThatWouldLeaveTheOctetRange) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    for (const Case& c : {Case{"999", "99"}, Case{"256", "25"}, Case{"300", "30"},
                          Case{"255", "255"}, Case{"01", "0"}, Case{"a1-", "1"}}) {
        field->clear();
        octet(0).setFocus();
        type(c.typed);
        EXPECT_EQ(octet(0).text(), c.kept) << "typed " << c.typed;
    }
}

TEST_F(IpAddressFieldTest, ADotInABlankOctetStaysPut) {
    type(".");
    EXPECT_TRUE(octet(0).hasFocus());
    EXPECT_EQ(shown(), "...");
}

TEST_F(IpAddressFieldTest, BackspaceInABlankOctetGoesBackToThePreviousOne) {
    type("10.");
    ASSERT_TRUE(octet(1).hasFocus());
    press(Qt::Key_Backspace);
    EXPECT_TRUE(octet(0).hasFocus());
    press(Qt::Key_Backspace);
    EXPECT_EQ(octet(0).text(), "1");
}

TEST_F(IpAddressFieldTest, ReadsBlankOctetsAsZeroAndCountsTheFilledOnes) {
    field->set({10, 20, 30, 40});
    octet(1).clear();
    const AddressFieldValue value = field->read();
    EXPECT_EQ(value.octets, (Ipv4Address{10, 0, 30, 40}));
    EXPECT_EQ(value.filled, 3);

    field->clear();
    EXPECT_EQ(field->read().filled, 0);
    EXPECT_EQ(shown(), "...");
}

TEST_F(IpAddressFieldTest, IsOneTabStopFromAnyOctet) {
    octet(2).setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    press(Qt::Key_Backtab);
    EXPECT_TRUE(octet(0).hasFocus());

    octet(3).setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Backtab);
    EXPECT_TRUE(before->hasFocus());
}

TEST_F(IpAddressFieldTest, NamesItsOctetsForScreenReaders) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(octet(i).accessibleName(), QStringLiteral("IP Address octet %1").arg(i + 1));
    }
}

} // namespace
} // namespace netlark::testing
