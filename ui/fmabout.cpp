#include "fmabout.h"

#include <QColor>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "formlayout.h"
#include "qstringutf8.h"
#include "qtformbuilder.h"
#include "qtwindow.h"

namespace batora {
namespace {

constexpr int kIconPixels = 32;

QColor colourOf(unsigned rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

}  // namespace

fmAbout::fmAbout(Toolkit& toolkit, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  const FormLayout& layout = fmAboutLayout();
  setWindowTitle(toQString(layout.caption));
  setFixedSize(QtFormBuilder::pixelsX(*this, layout.clientWidth),
               QtFormBuilder::pixelsY(*this, layout.clientHeight));
  QtFormBuilder builder(layout, m_controls);
  builder.buildControls(*this);
  m_window = std::make_unique<QtWindow>(*this);
  builder.registerWalk(*m_window);

  // Sized to its picture, which is drawn at its own pixel size whatever the resolution.
  auto* picIcon = static_cast<QLabel*>(m_controls.widget("picIcon"));
  picIcon->setPixmap(
      QPixmap(QStringLiteral(":/icons/batora.xpm"))
          .scaled(kIconPixels, kIconPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  picIcon->resize(kIconPixels, kIconPixels);
  // The box's labels keep their text at the top, as classic labels do.
  for (const char* name : {"lblDescription", "lblTitle"})
    static_cast<QLabel*>(m_controls.widget(name))->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  m_form = std::make_unique<AboutForm>(toolkit, *m_window, m_controls.label("lblTitle"),
                                       [this] { accept(); });
  // Esc reaches QDialog::reject, the close box too; both close the box like OK.
  builder.connectEvents(*this, [this](const FormEvent& event) { return m_form->handle(event); });
  m_controls.widget("cmdOK")->setFocus();
  m_form->Form_Load();
}

fmAbout::~fmAbout() {
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

// The rule's lines are fixed in pixels, not twips: the grey line sits exactly one pixel above
// the white one at every resolution, or the etched look would turn into two separate lines.
void fmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const ControlSpec& white = findControl(fmAboutLayout(), "Line1", 0);
  const ControlSpec& grey = findControl(fmAboutLayout(), "Line1", 1);
  const int y = QtFormBuilder::pixelsY(*this, white.rect.top);
  auto x = [this](int twips) { return QtFormBuilder::pixelsX(*this, twips); };
  painter.fillRect(
      QRect(QPoint(x(grey.rect.left), y - 1), QPoint(x(grey.rect.left + grey.rect.width), y - 1)),
      colourOf(grey.colour));
  painter.fillRect(
      QRect(QPoint(x(white.rect.left), y), QPoint(x(white.rect.left + white.rect.width), y + 1)),
      colourOf(white.colour));
}

}  // namespace batora
