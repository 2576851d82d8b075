#include "ui/shell/AboutForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

#include "core/services/AppTitle.h"
#include "core/services/Version.h"

namespace tessary {

namespace {

// A picture with a pattern being traced over it: warm paper on the left
// under blue lines, the name on the right.
class Banner : public QWidget {
public:
    Banner() {
        setObjectName(QStringLiteral("BannerImage"));
        setFixedHeight(96);
        setMinimumWidth(400);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient paper(0, 0, width(), 0);
        paper.setColorAt(0, QColor(236, 205, 150));
        paper.setColorAt(0.45, QColor(250, 240, 220));
        paper.setColorAt(1, QColor(255, 255, 255));
        p.fillRect(rect(), paper);

        // A rose window: a ring of petals around a hub, as a tracer draws it.
        const QPointF centre(height() * 0.75, height() / 2.0);
        const double radius = height() * 0.4;
        p.setPen(QPen(QColor(0, 0, 255), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, radius, radius);
        p.drawEllipse(centre, radius * 0.3, radius * 0.3);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            const QPointF inner = centre + QPointF(std::cos(a), std::sin(a)) * radius * 0.3;
            const QPointF outer = centre + QPointF(std::cos(a), std::sin(a)) * radius;
            p.drawLine(inner, outer);
            const double b = a + M_PI / 8;
            p.drawEllipse(centre + QPointF(std::cos(b), std::sin(b)) * radius * 0.65, radius * 0.14, radius * 0.14);
        }

        QFont name = font();
        name.setPointSizeF(name.pointSizeF() * 2.6);
        name.setBold(true);
        p.setFont(name);
        p.setPen(QColor(40, 40, 90));
        const QRectF text(height() * 1.4, 0, width() - height() * 1.5, height());
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(kAppTitle));
    }
};

QLabel* Text(const QString& text, const char* name) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutForm::AboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kAppTitle));
    setModal(true);

    auto* rule = new QFrame;
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    QLabel* name = Text(QString::fromLatin1(kAppTitle) + QStringLiteral("\nVersion ") + QString::fromLatin1(kVersion),
                        "Label1");
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    auto* close = new QPushButton(QStringLiteral("OK"));
    close->setObjectName(QStringLiteral("CloseCommand"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new Banner);
    layout->addWidget(rule);
    layout->addWidget(name);
    layout->addWidget(Text(QStringLiteral("Tessary turns a picture into a full-size line pattern: trace over a photo, "
                                          "edit the lines, give the pattern its true size, and print it at that size "
                                          "tiled across ordinary printer pages."),
                           "Label2"));
    layout->addWidget(Text(QStringLiteral("Made by the Tessary developers."), "Label3"));
    layout->addWidget(Text(QStringLiteral("Built with Qt %1.").arg(QString::fromLatin1(QT_VERSION_STR)), "Label4"));
    layout->addLayout(buttons);
    setFixedWidth(460);
}

}  // namespace tessary
