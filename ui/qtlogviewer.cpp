#include "qtlogviewer.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform.h"
#include "qstringutf8.h"

namespace batora {

LogWindow::LogWindow(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("LogWindow"));
  setModal(false);
  m_text->setReadOnly(true);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), mono.family()});
  m_text->setFont(mono);
  auto* reload = new QPushButton(QStringLiteral("再読み込み(&R)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  connect(reload, &QPushButton::clicked, this, [this] { load(m_log); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(reload);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addLayout(buttons);
  resize(760, 420);
}

bool LogWindow::load(const std::filesystem::path& log) {
  const std::optional<std::string> bytes = platform::readFile(log);
  if (!bytes) return false;
  m_log = log;
  setWindowTitle(toQString(platform::pathToUtf8(log)));
  // The log's line ends are CR LF; the text view wants plain line feeds.
  QString text = toQString(platform::cp932ToUtf8(*bytes));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  m_text->setPlainText(text);
  m_text->moveCursor(QTextCursor::End);
  return true;
}

QString LogWindow::text() const {
  return m_text->toPlainText();
}

}  // namespace batora
