#pragma once

#include "cameras/change_request.h"
#include "protocol/addresses.h"

#include <QWidget>
#include <array>

class QKeyEvent;
class QLineEdit;

namespace netlark {

/// An IPv4 address typed as four octets with dots between them. Each octet
/// takes 0 to 255; three digits or a '.' move on to the next octet, and
/// Backspace in an empty octet goes back. The field is one stop of the Tab
/// key, like a single text field.
class IpAddressField : public QWidget {
    Q_OBJECT
public:
    /// `name` names the field for screen readers ("IP Address"); the octets
    /// are named "<name> octet 1" to "<name> octet 4".
    explicit IpAddressField(const QString& name, QWidget* parent = nullptr);

    void set(const Ipv4Address& address);
    void clear();
    /// The four octets, a blank one reading as 0, and how many are filled.
    AddressFieldValue read() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int OCTET_COUNT = 4;

    int octetIndex(const QObject* watched) const;
    void moveTo(int index, bool selectAll);
    void octetEdited(int index);
    /// Handles the keys that move between octets; true when the key was used.
    bool octetKeyPressed(int index, const QKeyEvent& key);

    std::array<QLineEdit*, OCTET_COUNT> m_octets{};
};

} // namespace netlark
