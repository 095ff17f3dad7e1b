#pragma once

#include "app/MergeChoice.h"
#include "merge/MergeList.h"

#include <QFrame>

class QCheckBox;
class QLabel;
class QToolButton;
class TGBasePanel;
struct TPrintRunSettings;

// The main window's merge: the list the design is merged with (kept beside the design), the
// bottom-bar controls that show one of its records on the card, and what print runs take
// from it. The controls show only while a list is chosen.
class TMergeBar : public QFrame {
    Q_OBJECT
public:
    TMergeBar(TGBasePanel& panel, QWidget* parent);

    const TMergeChoice& Choice() const { return FChoice; }
    const TMergeList& List() const { return FList; }

    // "Merge List...": true when the user changed the choice.
    bool ChooseList(QWidget* dialogParent);
    // The choice stored beside the design; a list that can no longer be read is reported and
    // the design opens without it.
    void ReadFor(const QString& designPath, QWidget* dialogParent);
    bool WriteFor(const QString& designPath) const;
    void Clear();
    // One card per record that is not skipped, when a list is chosen.
    void AddToRun(TPrintRunSettings& settings) const;

    QCheckBox* ShowRecordBox = nullptr;
    QToolButton* PreviousButton = nullptr;
    QToolButton* NextButton = nullptr;
    QLabel* RecordLabel = nullptr;

private:
    void SetChoice(const TMergeChoice& choice, const TMergeList& list);
    void StepRecord(int by);
    void Refresh();

    TGBasePanel& FPanel;
    TMergeChoice FChoice;
    TMergeList FList;
    int FShown = 0;
};
