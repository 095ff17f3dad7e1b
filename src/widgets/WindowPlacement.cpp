#include "widgets/WindowPlacement.h"

#include "platform/IniFile.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

QString sectionFor(const QWidget& window) {
    const QScreen* screen = window.screen();
    const int ppi = screen ? int(std::lround(screen->logicalDotsPerInch())) : 96;
    return PlacementSection(QString::fromLatin1(window.metaObject()->className()), ppi);
}

QRect screenRect(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace

QString PlacementSection(const QString& className, int pixelsPerInch) {
    QString section = className + QStringLiteral("_Placement");
    if (pixelsPerInch > 96)
        section += QString::number(pixelsPerInch);
    return section;
}

TStoredPlacement PushOntoScreen(TStoredPlacement p, const QRect& screen) {
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (screenRight < p.Right) {
        p.Left -= p.Right - screenRight;
        p.Right = screenRight;
    }
    if (screenBottom < p.Bottom) {
        p.Top -= p.Bottom - screenBottom;
        p.Bottom = screenBottom;
    }
    return p;
}

TStoredPlacement ClampPlacement(TStoredPlacement p, const QRect& screen) {
    // Window systems keep coordinates in 16 bits.
    constexpr int limit = 32767;
    for (int* edge : {&p.Left, &p.Top, &p.Right, &p.Bottom})
        *edge = std::clamp(*edge, -limit, limit);
    p.Right = p.Left + std::clamp(p.Right - p.Left, 1, std::max(1, screen.width()));
    p.Bottom = p.Top + std::clamp(p.Bottom - p.Top, 1, std::max(1, screen.height()));
    return p;
}

bool SaveWindowPlacement(const QWidget& window, const QString& settingsFile) {
    const QRect r = window.isMaximized() ? window.normalGeometry() : window.geometry();
    const QString section = sectionFor(window);
    TIniFile ini(settingsFile);
    ini.BeginUpdate();
    ini.WriteInteger(section, QStringLiteral("Left"), r.left());
    ini.WriteInteger(section, QStringLiteral("Top"), r.top());
    ini.WriteInteger(section, QStringLiteral("Right"), r.left() + r.width());
    ini.WriteInteger(section, QStringLiteral("Bottom"), r.top() + r.height());
    ini.WriteBool(section, QStringLiteral("Maximized"), window.isMaximized());
    return ini.EndUpdate();
}

void RestoreWindowPlacement(QWidget& window, const QString& settingsFile) {
    const QString section = sectionFor(window);
    {
        const TIniFile ini(settingsFile);
        TStoredPlacement p;
        p.Left = ini.ReadInteger(section, QStringLiteral("Left"), 0);
        p.Top = ini.ReadInteger(section, QStringLiteral("Top"), 0);
        p.Right = ini.ReadInteger(section, QStringLiteral("Right"), 0);
        p.Bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), 0);
        p.Maximized = ini.ReadBool(section, QStringLiteral("Maximized"), window.isMaximized());
        const QRect screen = screenRect(window);
        if (p.Bottom != 0) {
            // A damaged entry must not give an unusable or unbounded window.
            p = PushOntoScreen(ClampPlacement(p, screen), screen);
            window.setGeometry(p.Left, p.Top, p.Right - p.Left, p.Bottom - p.Top);
        } else {
            const QSize size = window.size();
            window.move(screen.x() + (screen.width() - size.width()) / 2,
                        screen.y() + (screen.height() - size.height()) / 2);
        }
        if (p.Maximized)
            window.showMaximized();
    }
    SaveWindowPlacement(window, settingsFile);
}
