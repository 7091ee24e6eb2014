#include "message_recorder.h"

#include <QTest>

namespace netlark::testing {

MessageRecorder::MessageRecorder()
    : m_hook([this](QWidget*, const QString& text) {
          m_texts.push_back(text);
          if (whileOpen) {
              whileOpen(text);
          }
      }) {}

bool MessageRecorder::waitForCount(std::size_t count) {
    return QTest::qWaitFor([&] { return m_texts.size() >= count; }, 10000);
}

} // namespace netlark::testing
