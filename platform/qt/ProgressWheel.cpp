// The control plug-in: its progress wheel, a small painted indicator that turns while it is visible, and
// the registry in which the plug-in publishes its classes. The shell runner's wait (ShellWait.cpp) keeps the
// wheel turning while a command runs.
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>
#include <map>
#include <numbers>
#include <string>

#include "ControlEntries.h"
#include "ControlImpl.h"
#include "QtAccess.h"
#include "WindowImpl.h"
#include "platform/Controls.h"
#include "platform/detail/PluginRegistration.h"

namespace platform {

namespace {

constexpr int kSpokes = 12;
constexpr int kFrameMs = 30;

class WheelWidget : public QWidget, public qt::ControlLink {
public:
    WheelWidget() {
        timer_.setInterval(kFrameMs);
        QObject::connect(&timer_, &QTimer::timeout, this, &WheelWidget::Turn);
    }

    std::uint64_t paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        qt::Dispatch([this] { Paint(); });
    }
    void showEvent(QShowEvent*) override {
        qt::Dispatch([this] { timer_.start(); });
    }
    void hideEvent(QHideEvent*) override {
        qt::Dispatch([this] { timer_.stop(); });
    }

private:
    void Paint() {
        ++paints;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // The wheel is drawn square and centred, whatever the rectangle's shape.
        const double side = std::min(width(), height());
        const double outer = side / 2.0 - 0.5;
        const double inner = outer * 0.45;
        painter.translate(width() / 2.0, height() / 2.0);
        QPen pen(palette().color(QPalette::WindowText));
        pen.setWidthF(std::max(1.0, side / 9.0));
        pen.setCapStyle(Qt::RoundCap);
        for (int i = 0; i < kSpokes; ++i) {
            // The spoke at the current step is darkest; those behind it fade out.
            const int age = (step_ - i + kSpokes) % kSpokes;
            QColor colour = pen.color();
            colour.setAlphaF(1.0 - 0.8 * age / (kSpokes - 1));
            pen.setColor(colour);
            painter.setPen(pen);
            const double angle = 2.0 * std::numbers::pi * i / kSpokes;
            painter.drawLine(QPointF(inner * std::sin(angle), -inner * std::cos(angle)),
                             QPointF(outer * std::sin(angle), -outer * std::cos(angle)));
        }
    }

    void Turn() {
        qt::Dispatch([this] {
            if (!isVisible()) {
                timer_.stop();
                return;
            }
            step_ = (step_ + 1) % kSpokes;
            update();
        });
    }

    QTimer timer_{this};  // a child of the wheel, so that it is found among the wheel's objects
    int step_ = 0;
};

// Classes the control plug-in has published, by class name.
std::map<std::string, const ClassDescription*, std::less<>>& PublishedClasses() {
    static std::map<std::string, const ClassDescription*, std::less<>> classes;
    return classes;
}

constexpr ControlTraits kWheelTraits{&qt::CommonControlEntries,     Qt::TabFocus, Qt::NoFocus, 16, 16,
                                     &MakeLinkedWidget<WheelWidget>};

}  // namespace

ProgressWheel::ProgressWheel() : RectControl(kWheelTraits) {}

const ClassDescription& ProgressWheel::Lookup() {
    static const ClassDescription description{
        "ProgressWheel", &RectControl::Lookup(), [] { return std::make_shared<ProgressWheel>(); }, {}, {}};
    return description;
}

std::uint64_t qt::PaintCount(const ProgressWheel& wheel) {
    CheckMainThread("ProgressWheel.PaintCount");
    return detail::ImplOf(wheel).WidgetAs<WheelWidget>().paints;
}

void detail::RegisterControlPlugin() {
    CheckMainThread("RegisterControlPlugin");
    PublishedClasses()[ProgressWheel::Lookup().name] = &ProgressWheel::Lookup();
}

const ClassDescription& ProgressWheelClass() {
    const auto& classes = PublishedClasses();
    const auto found = classes.find(std::string_view("ProgressWheel"));
    if (found == classes.end()) throw RuntimeException("the control plug-in has not published ProgressWheel");
    return *found->second;
}

}  // namespace platform
