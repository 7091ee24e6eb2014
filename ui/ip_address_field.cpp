#include "ui/ip_address_field.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>

namespace netlark {

namespace {
// 0 to 255 without leading zeros, or blank. An integer validator would let
// "999" stand as an unfinished entry; the pattern refuses the keystroke.
const QRegularExpression& octetPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])?"));
    return pattern;
}
} // namespace

IpAddressField::IpAddressField(const QString& name, QWidget* parent) : QWidget(parent) {
    setAccessibleName(name);
    auto* layout = new QHBoxLayout(this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    layout->setContentsMargins(frame + 2, frame, frame + 2, frame);
    layout->setSpacing(0);

    for (int i = 0; i < OCTET_COUNT; ++i) {
        auto* octet = new QLineEdit(this);
        octet->setFrame(false);
        octet->setAlignment(Qt::AlignCenter);
        octet->setMaxLength(3);
        octet->setValidator(new QRegularExpressionValidator(octetPattern(), octet));
        octet->setAccessibleName(QStringLiteral("%1 octet %2").arg(name).arg(i + 1));
        // Only the first octet is a Tab stop: Tab leaves the whole field.
        octet->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        octet->installEventFilter(this);
        connect(octet, &QLineEdit::textEdited, this, [this, i] { octetEdited(i); });
        layout->addWidget(octet, 1);
        m_octets[static_cast<std::size_t>(i)] = octet;

        if (i + 1 < OCTET_COUNT) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setForegroundRole(QPalette::Text);
            layout->addWidget(dot);
        }
    }
    setFocusProxy(m_octets[0]);
}

void IpAddressField::set(const Ipv4Address& address) {
    for (std::size_t i = 0; i < m_octets.size(); ++i) {
        m_octets[i]->setText(QString::number(address[i]));
    }
}

void IpAddressField::clear() {
    for (QLineEdit* octet : m_octets) {
        octet->clear();
    }
}

AddressFieldValue IpAddressField::read() const {
    AddressFieldValue value;
    for (std::size_t i = 0; i < m_octets.size(); ++i) {
        const QString text = m_octets[i]->text();
        if (!text.isEmpty()) {
            value.octets[i] = static_cast<std::uint8_t>(text.toUInt());
            ++value.filled;
        }
    }
    return value;
}

bool IpAddressField::eventFilter(QObject* watched, QEvent* event) {
    const int index = octetIndex(watched);
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return octetKeyPressed(index, static_cast<const QKeyEvent&>(*event));
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            update(); // the frame shows whether the field has focus
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void IpAddressField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    for (const QLineEdit* octet : m_octets) {
        if (octet->hasFocus()) {
            option.state |= QStyle::State_HasFocus;
        }
    }
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}

int IpAddressField::octetIndex(const QObject* watched) const {
    for (std::size_t i = 0; i < m_octets.size(); ++i) {
        if (m_octets[i] == watched) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void IpAddressField::moveTo(int index, bool selectAll) {
    QLineEdit* octet = m_octets[static_cast<std::size_t>(index)];
    octet->setFocus(Qt::OtherFocusReason);
    if (selectAll) {
        octet->selectAll();
    } else {
        octet->end(false);
    }
}

void IpAddressField::octetEdited(int index) {
    const QLineEdit* octet = m_octets[static_cast<std::size_t>(index)];
    if (index + 1 < OCTET_COUNT && octet->text().size() == octet->maxLength() &&
        octet->cursorPosition() == octet->maxLength()) {
        moveTo(index + 1, true);
    }
}

bool IpAddressField::octetKeyPressed(int index, const QKeyEvent& key) {
    const QLineEdit* octet = m_octets[static_cast<std::size_t>(index)];
    const bool atStart = octet->cursorPosition() == 0 && !octet->hasSelectedText();
    const bool atEnd = octet->cursorPosition() == octet->text().size() && !octet->hasSelectedText();
    const bool hasNext = index + 1 < OCTET_COUNT;
    const bool hasPrevious = index > 0;

    switch (key.key()) {
    case Qt::Key_Period:
        // A dot finishes a filled octet; the octet itself never takes one.
        if (hasNext && !octet->text().isEmpty()) {
            moveTo(index + 1, true);
        }
        return true;
    case Qt::Key_Backspace:
        if (hasPrevious && octet->text().isEmpty()) {
            moveTo(index - 1, false);
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (hasPrevious && atStart && key.modifiers() == Qt::NoModifier) {
            moveTo(index - 1, false);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (hasNext && atEnd && key.modifiers() == Qt::NoModifier) {
            moveTo(index + 1, false);
            m_octets[static_cast<std::size_t>(index + 1)]->home(false);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        // Shift+Tab leaves the field from any octet, not only from the first.
        if (hasPrevious) {
            m_octets[0]->setFocus(Qt::OtherFocusReason);
            focusNextPrevChild(false);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace netlark
