#include "app/MergeBar.h"

#include "app/MergeListDialog.h"
#include "platform/Interaction.h"
#include "printing/LabelPrintRun.h"
#include "surface/BasePanel.h"
#include "widgets/DialogFrame.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

TMergeBar::TMergeBar(TGBasePanel& panel, QWidget* parent) : QFrame(parent), FPanel(panel) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    ShowRecordBox = new QCheckBox(QStringLiteral("Show &record"), this);
    ShowRecordBox->setWhatsThis(QStringLiteral(
        "Shows the card with the values of one person on the merge list in place of its "
        "${Column} fields. The design keeps the fields as typed."));
    PreviousButton = new QToolButton(this);
    PreviousButton->setArrowType(Qt::LeftArrow);
    PreviousButton->setToolTip(QStringLiteral("Previous record"));
    PreviousButton->setWhatsThis(QStringLiteral("Shows the person before this one."));
    NextButton = new QToolButton(this);
    NextButton->setArrowType(Qt::RightArrow);
    NextButton->setToolTip(QStringLiteral("Next record"));
    NextButton->setWhatsThis(QStringLiteral("Shows the person after this one."));
    RecordLabel = new QLabel(this);
    RecordLabel->setWhatsThis(QStringLiteral("The record shown and the number on the list."));
    row->addWidget(ShowRecordBox);
    row->addWidget(PreviousButton);
    row->addWidget(RecordLabel);
    row->addWidget(NextButton);
    connect(ShowRecordBox, &QCheckBox::toggled, this, [this] { Refresh(); });
    connect(PreviousButton, &QToolButton::clicked, this, [this] { StepRecord(-1); });
    connect(NextButton, &QToolButton::clicked, this, [this] { StepRecord(1); });
    Refresh();
}

bool TMergeBar::ChooseList(QWidget* dialogParent) {
    TMergeListDialog dialog(dialogParent);
    if (!FChoice.IsEmpty())
        dialog.SetList(FChoice.ListFile, FList, FChoice.Skipped);
    CenterOverMainWindow(dialog, dialogParent);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted || dialog.Choice() == FChoice)
        return false;
    SetChoice(dialog.Choice(), dialog.List());
    return true;
}

void TMergeBar::ReadFor(const QString& designPath, QWidget* dialogParent) {
    const TMergeChoice stored = ReadMergeChoice(designPath);
    if (stored.IsEmpty()) {
        Clear();
        return;
    }
    try {
        SetChoice(stored, LoadMergeList(stored.ListFile));
    } catch (const EMergeListError& e) {
        Clear();
        TInteraction::Current().Information(
            dialogParent, QStringLiteral("The merge list %1 cannot be used, so the design "
                                         "opens without it.\n%2")
                              .arg(QDir::toNativeSeparators(stored.ListFile), e.Message()));
    }
}

bool TMergeBar::WriteFor(const QString& designPath) const {
    return WriteMergeChoice(designPath, FChoice);
}

void TMergeBar::Clear() {
    SetChoice(TMergeChoice(), TMergeList());
}

void TMergeBar::AddToRun(TPrintRunSettings& settings) const {
    if (FChoice.IsEmpty())
        return;
    settings.MergeList = &FList;
    settings.MergeRecords.clear();
    for (int i = 0; i < FList.Count(); ++i)
        if (!FChoice.Skipped.contains(i))
            settings.MergeRecords.append(i);
}

void TMergeBar::SetChoice(const TMergeChoice& choice, const TMergeList& list) {
    // The panel lets go of the old list's record before the list changes under it.
    FPanel.SetMergeRecord({});
    FChoice = choice;
    FList = list;
    FShown = 0;
    Refresh();
}

void TMergeBar::StepRecord(int by) {
    FShown = qBound(0, FShown + by, qMax(0, FList.Count() - 1));
    Refresh();
}

void TMergeBar::Refresh() {
    const bool merged = !FChoice.IsEmpty() && FList.Count() > 0;
    setVisible(!FChoice.IsEmpty());
    const bool showing = merged && ShowRecordBox->isChecked();
    PreviousButton->setEnabled(showing && FShown > 0);
    NextButton->setEnabled(showing && FShown + 1 < FList.Count());
    RecordLabel->setText(merged ? QStringLiteral("%1 of %2").arg(FShown + 1).arg(FList.Count())
                                : QStringLiteral("no records"));
    FPanel.SetMergeRecord(showing ? TMergeRecord{&FList, FShown} : TMergeRecord{});
}
