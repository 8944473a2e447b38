#include "wait_dialog.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <climits>

namespace {

QFont dialogFont() {
    // A 12-pixel Japanese gothic face when one is installed, else the default sans.
    static const char* const gothics[] = {
        "MS PGothic", "MS UI Gothic", "IPAPGothic",       "IPAGothic",    "VL PGothic",
        "VL Gothic",  "TakaoPGothic", "Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP"};
    QFont font;
    const QStringList installed = QFontDatabase::families();
    for (const char* family : gothics) {
        if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) {
            font.setFamily(QString::fromLatin1(family));
            break;
        }
    }
    if (font.family() == QFont().family()) font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    // The gothic face is narrow: a wider stand-in is condensed until the
    // label's caption fits its 78 pixels.
    for (int stretch : {QFont::SemiCondensed, QFont::Condensed, QFont::ExtraCondensed}) {
        if (QFontMetrics(font).horizontalAdvance(QStringLiteral("MILI SECONDS")) <= 78) break;
        font.setStretch(stretch);
    }
    return font;
}

} // namespace

TForm3::TForm3(QTimer& gameTimer, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      Timer1(gameTimer) {
    setWindowTitle(QStringLiteral("WAIT"));
    setFont(dialogFont());
    setFixedSize(171, 81);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(16, 8, 57, 20);
    Edit1->setFrame(false);
    Edit1->setMaxLength(4);
    Edit1->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("MILI SECONDS"), this);
    Label1->setGeometry(80, 16, 78, 12);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(16, 48, 65, 25);
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Button2->setGeometry(88, 48, 65, 25);
    Button2->setAutoDefault(false);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Ok);    // Button1Click
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide); // Button2Click

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.width() / 2 - width() / 2, s.height() / 2 - height() / 2);
    }
}

void TForm3::open(int intervalMs) {
    Edit1->setText(QString::number(intervalMs));
    show();
    raise();
    activateWindow();
}

long TForm3::parseInterval(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value > (LONG_MAX - 9) / 10 ? LONG_MAX : value * 10 + (*p - '0');
    return negative ? -value : value;
}

void TForm3::Ok() {
    const long value = parseInterval(Edit1->text());
    if (value > 0) {
        Timer1.setInterval(static_cast<int>(value > INT_MAX ? INT_MAX : value));
        hide();
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("WAIT"), QStringLiteral("error!"),
                    QMessageBox::Ok, this);
    box.exec();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Ok();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
