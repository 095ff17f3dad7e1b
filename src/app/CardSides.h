#pragma once

#include "platform/Picture.h"
#include "surface/UndoHistory.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TGBasePanel;
struct TPrintRunSettings;

enum class TCardSide { Front, Back };

// The two sides of the design in the main window. The card panel shows one of them, and
// every tool and command works on that one; the other waits here with its objects, its
// background art and its undo steps until the user switches to it. The front is the design
// file; the back is saved beside it (BackSide.h).
class TCardSides {
public:
    // The panel, and the main window's background art name and quiet flag, which follow the
    // side shown.
    TCardSides(TGBasePanel& panel, QString& backgroundFileName, bool& loading);
    ~TCardSides();

    TCardSide Shown() const { return FShown; }
    // Puts the side on the panel; the side shown so far waits with its steps. The selection
    // is emptied. Told through SideShown.
    void Show(TCardSide side);
    std::function<void(TCardSide)> SideShown;

    // The side not shown changed since it was last saved, opened or begun.
    bool OtherModified() const { return FOther.Steps.Modified(); }
    // The back's objects as saved (geometry at 100 %) and its background art's name.
    QByteArray BackDesign() const;
    QString BackBackgroundFileName() const;

    // With the front shown: takes the back saved beside the design at path, or an empty
    // back for an untitled design (empty path). A back that can't be read is left alone on
    // disk and on saving, and the message says so; false then.
    bool ReadFor(const QString& path, QString* message);
    // With the front shown: saves the back beside the design; false when it could not.
    bool WriteFor(const QString& path);

    // The design's sides for a print run: the back's panel and art go into the settings,
    // and the panel of the fronts is returned. The panel made for the side not shown
    // lives until the next call.
    TGBasePanel* AddToRun(TPrintRunSettings& settings);

private:
    struct TWaiting {
        QByteArray Design = QByteArray("\x01\x00", 2); // an empty object stream
        QString BackgroundFileName;
        TPicture Art;
        TUndoHistory::TParked Steps;
    };

    TGBasePanel& FPanel;
    QString& FBackgroundFileName;
    bool& FLoading;
    TCardSide FShown = TCardSide::Front;
    TWaiting FOther;
    // The back on disk could not be read: saving leaves it as it is.
    bool FBackUnreadable = false;
    std::unique_ptr<TGBasePanel> FPrintPanel;
};
