// The About window on the real framework: its fixed frame, its six controls as the user sees them, each
// label's text shown in full, the two links (colour, cursor, the page each opens) and its single instance,
// which OK and a close request only hide. Addresses handed to the desktop are caught by a URL handler, so no
// browser starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/QtAccess.h"
#include "support/TextFit.h"
#include "ui/about/AboutWindow.h"

namespace {

using platform::Ref;
using About = corvantil::AboutWindow;

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);

// Takes the addresses the program asks the desktop to open, in place of a browser.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls() {
        QDesktopServices::setUrlHandler("https", this, "Open");
        QDesktopServices::setUrlHandler("http", this, "Open");
    }
    ~OpenedUrls() override {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("http");
    }
    QStringList urls;

public slots:
    void Open(const QUrl& url) { urls << url.toString(); }
};

QWidget* WidgetOf(const Ref<platform::RectControl>& control) { return platform::qt::ControlWidget(*control); }

QString ShownText(const Ref<platform::RectControl>& control) {
    QWidget* widget = WidgetOf(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    return {};
}

QColor TextColour(const Ref<platform::RectControl>& control) {
    return WidgetOf(control)->palette().color(QPalette::WindowText);
}

// The visible windows titled as the About window is.
int VisibleAboutWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "Untitled") ++n;
    return n;
}

using ControlAccessor = std::function<Ref<platform::RectControl>(About&)>;

// One control as it must stand in the window. A point size of 0 is the platform's default size.
struct ControlCase {
    const char* name;
    ControlAccessor get;
    bool button;
    const char* text;
    bool bold;
    bool underline;
    double pointSize;
    QRect geometry;  // left, top, width, height
    int tabIndex;
    std::vector<int> events;  // the bound event numbers
    QColor colourOnceOpen;
};

void PrintTo(const ControlCase& c, std::ostream* out) { *out << c.name; }

const std::vector<int> kLinkEvents = {platform::event::kOpen, platform::event::kMouseEnter,
                                      platform::event::kLabelMouseDown, platform::event::kLabelMouseUp};

const ControlCase kControls[] = {
    {"AppLabel",
     [](About& w) -> Ref<platform::RectControl> { return w.AppLabel(); },
     false,
     "Corvantil",
     true,
     false,
     16.0,
     QRect(56, 32, 142, 20),
     0,
     {},
     kBlack},
    {"VersionLabel",
     [](About& w) -> Ref<platform::RectControl> { return w.VersionLabel(); },
     false,
     "version 0.3.4",
     true,
     false,
     0,
     QRect(76, 54, 105, 20),
     1,
     {},
     kBlack},
    {"OKButton",
     [](About& w) -> Ref<platform::RectControl> { return w.OKButton(); },
     true,
     "OK",
     false,
     false,
     0,
     QRect(80, 166, 80, 20),
     3,
     {platform::event::kButtonAction},
     QColor()},
    {"URL_Label1", [](About& w) -> Ref<platform::RectControl> { return w.URL_Label1(); }, false,
     "corvantil.example", false, true, 0, QRect(63, 127, 135, 20), 4, kLinkEvents, kBlue},
    {"basedOnLabel",
     [](About& w) -> Ref<platform::RectControl> { return w.basedOnLabel(); },
     false,
     "based on",
     false,
     false,
     0,
     QRect(59, 90, 74, 20),
     5,
     {},
     kBlack},
    {"SHA256Label", [](About& w) -> Ref<platform::RectControl> { return w.SHA256Label(); }, false, "SHA-256",
     false, true, 0, QRect(121, 90, 62, 20), 2, kLinkEvents, kBlue},
};

// One link: its label and the page its release opens.
struct LinkCase {
    const char* name;
    std::function<Ref<platform::Label>(About&)> get;
    const char* address;
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

const LinkCase kLinks[] = {
    {"URL_Label1", [](About& w) { return w.URL_Label1(); }, "https://corvantil.example/"},
    {"SHA256Label", [](About& w) { return w.SHA256Label(); }, "https://en.wikipedia.org/wiki/SHA-2"},
};

// Each test gets the single About window through its accessor, shown, as the About command leaves it.
class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = corvantil::AboutWindow::Instance();
        ASSERT_NE(window, nullptr);
        window->Show();
        top = platform::qt::TopLevelWidget(*window);
        ASSERT_NE(top, nullptr);
    }

    Ref<About> window;
    QWidget* top = nullptr;
};

TEST_F(AboutWindowTest, IsAFixedUntitledWindowWithoutTitleBarButtons) {
    EXPECT_EQ(window->Class().name, "AboutWindow.AboutWindow");
    EXPECT_EQ(platform::GetImplicitWindow("AboutWindow.AboutWindow"), window);
    QWidget* content = platform::qt::ContentWidget(*window);
    EXPECT_EQ(content->size(), QSize(236, 206));
    EXPECT_EQ(window->Width(), 236);
    EXPECT_EQ(window->Height(), 206);
    EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "not resizable";
    top->resize(400, 300);
    EXPECT_EQ(content->size(), QSize(236, 206));
    EXPECT_EQ(top->windowTitle(), "Untitled");
    EXPECT_TRUE(top->isVisible());

    const Qt::WindowFlags flags = top->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowFullscreenButtonHint);
    EXPECT_EQ(platform::qt::MenuBarWidget(*window), nullptr) << "the window sets no menu bar of its own";
}

TEST_F(AboutWindowTest, OkIsTheDefaultButtonAndNotTheCancelButton) {
    Ref<platform::PushButton> ok = window->OKButton();
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Cancel());
    EXPECT_TRUE(qobject_cast<QPushButton*>(WidgetOf(ok))->isDefault());
    // Return presses the default button, which hides the window.
    QTest::keyClick(top, Qt::Key_Return);
    EXPECT_FALSE(top->isVisible());
    EXPECT_EQ(corvantil::AboutWindow::Instance(), window);
}

class AboutControlTest : public AboutWindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(AboutControlTest, ShowsItsTextInItsFontAtItsPlace) {
    const ControlCase& c = GetParam();
    Ref<platform::RectControl> control = c.get(*window);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Name(), c.name);
    EXPECT_EQ(window->ControlByName(c.name), control) << "the accessor finds the control by its name";
    EXPECT_EQ(&control->Class(), c.button ? &platform::PushButton::Lookup() : &platform::Label::Lookup());

    EXPECT_EQ(ShownText(control), c.text);
    const QFont font = WidgetOf(control)->font();
    EXPECT_EQ(font.bold(), c.bold);
    EXPECT_EQ(font.underline(), c.underline);
    EXPECT_FALSE(font.italic());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), c.pointSize > 0 ? c.pointSize : QApplication::font().pointSizeF());
    EXPECT_EQ(WidgetOf(control)->geometry(), c.geometry);
    EXPECT_TRUE(WidgetOf(control)->isVisible());
    EXPECT_EQ(control->Setting("TabIndex"), std::optional<platform::PropertyValue>(std::int32_t(c.tabIndex)));

    for (int number = 0; number <= 19; ++number) {
        const bool bound = std::find(c.events.begin(), c.events.end(), number) != c.events.end();
        EXPECT_EQ(control->HasEventHandler(number), bound) << "event " << number;
    }
    EXPECT_EQ(control->EventHandlerCount(), c.events.size());
    if (!c.button) {
        EXPECT_EQ(TextColour(control), c.colourOnceOpen);
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, AboutControlTest, ::testing::ValuesIn(kControls),
                         [](const ::testing::TestParamInfo<ControlCase>& p) {
                             return std::string(p.param.name);
                         });

std::vector<ControlCase> Labels() {
    std::vector<ControlCase> labels;
    std::copy_if(std::begin(kControls), std::end(kControls), std::back_inserter(labels),
                 [](const ControlCase& c) { return !c.button; });
    return labels;
}

class AboutLabelTest : public AboutWindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(AboutLabelTest, ShowsItsWholeTextInItsWidth) {
    auto* label = qobject_cast<QLabel*>(WidgetOf(GetParam().get(*window)));
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(label->text(), GetParam().text);
    EXPECT_TRUE(testsupport::ShowsItsTextInFull(*label));
}

INSTANTIATE_TEST_SUITE_P(Labels, AboutLabelTest, ::testing::ValuesIn(Labels()),
                         [](const ::testing::TestParamInfo<ControlCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(AboutWindowTest, LinksAreBlackInTheirListsAndTurnBlueWhenTheyOpen) {
    // The hooks of a window that is built but not yet opened: its controls have only their lists.
    auto unopened = platform::RuntimeCheckCast<About>(platform::RuntimeNewObject(About::Lookup()));
    unopened->Layout();
    unopened->CreateControls();
    for (const ControlCase& c : kControls) {
        if (c.button) continue;
        Ref<platform::RectControl> control = c.get(*unopened);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(TextColour(control), kBlack) << c.name << " before Open";
        control->RaiseEvent(platform::event::kOpen, {});
        EXPECT_EQ(TextColour(control), c.colourOnceOpen) << c.name << " after Open";
    }
}

class AboutLinkTest : public AboutWindowTest, public ::testing::WithParamInterface<LinkCase> {
protected:
    OpenedUrls opened;
};

TEST_P(AboutLinkTest, PointsOnceTheMouseEntersAndKeepsItOnLeave) {
    Ref<platform::Label> link = GetParam().get(*window);
    QWidget* widget = WidgetOf(link);
    link->SetMouseCursor(nullptr);  // as before the mouse ever entered it
    ASSERT_FALSE(widget->testAttribute(Qt::WA_SetCursor));

    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(widget, &enter);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->GetMouseCursor(), platform::System()->GetCursors()->FingerPointer());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor) << "nothing sets the cursor back";
    EXPECT_TRUE(opened.urls.isEmpty());
}

TEST_P(AboutLinkTest, APressThenAReleaseOpensItsPageOnce) {
    QWidget* widget = WidgetOf(GetParam().get(*window));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(opened.urls.isEmpty()) << "the press opens nothing";
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(20, 9));
    EXPECT_EQ(opened.urls, QStringList{GetParam().address});

    // Each release that follows a press opens the page again, wherever in the label it happens.
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() - 2, widget->height() - 2));
    EXPECT_EQ(opened.urls, (QStringList{GetParam().address, GetParam().address}));
    EXPECT_TRUE(top->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Links, AboutLinkTest, ::testing::ValuesIn(kLinks),
                         [](const ::testing::TestParamInfo<LinkCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(AboutWindowTest, OkHidesItAndTheNextAboutShowsTheSameWindow) {
    Ref<platform::Label> link = window->URL_Label1();
    QTest::mouseClick(WidgetOf(window->OKButton()), Qt::LeftButton);
    EXPECT_FALSE(top->isVisible());
    EXPECT_FALSE(window->Visible());

    Ref<About> again = corvantil::AboutWindow::Instance();
    EXPECT_EQ(again, window);
    EXPECT_EQ(again->URL_Label1(), link) << "the same controls";
    again->Show();
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(TextColour(again->URL_Label1()), kBlue);
    EXPECT_EQ(TextColour(again->SHA256Label()), kBlue);
    EXPECT_EQ(VisibleAboutWindows(), 1);
}

TEST_F(AboutWindowTest, ASecondAboutWhileShownMakesNoSecondWindow) {
    Ref<About> second = corvantil::AboutWindow::Instance();
    second->Show();
    EXPECT_EQ(second, window);
    EXPECT_EQ(VisibleAboutWindows(), 1);
    EXPECT_EQ(window->Controls().size(), 6u);
}

TEST_F(AboutWindowTest, ACloseRequestOnlyHidesIt) {
    top->close();
    EXPECT_FALSE(top->isVisible());
    EXPECT_EQ(platform::GetImplicitWindow("AboutWindow.AboutWindow"), window);
    EXPECT_EQ(corvantil::AboutWindow::Instance(), window);
}

}  // namespace

#include "AboutWindowTest.moc"
