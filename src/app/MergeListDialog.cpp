#include "app/MergeListDialog.h"

#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TMergeListDialog::TMergeListDialog(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Merge List"));
    setFont(DialogFont());
    auto* outer = new QVBoxLayout(this);
    auto* fileRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&List:"), this);
    FileEdit = new QLineEdit(this);
    FileEdit->setReadOnly(true);
    FileEdit->setPlaceholderText(QStringLiteral("(none: one card for the design as it is)"));
    label->setBuddy(FileEdit);
    ChooseButton = new QPushButton(QStringLiteral("&Choose..."), this);
    NoneButton = new QPushButton(QStringLiteral("&None"), this);
    fileRow->addWidget(label);
    fileRow->addWidget(FileEdit, 1);
    fileRow->addWidget(ChooseButton);
    fileRow->addWidget(NoneButton);
    outer->addLayout(fileRow);

    Records = new QTableWidget(this);
    Records->setSelectionBehavior(QAbstractItemView::SelectRows);
    Records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Records->setMinimumSize(560, 280);
    Records->setWhatsThis(QStringLiteral(
        "The people on the list, one row each. A checked row prints one card; write a column's "
        "name as ${Column} in any text of the design to print its value there."));
    outer->addWidget(Records, 1);

    auto* checkRow = new QHBoxLayout;
    CheckAllButton = new QPushButton(QStringLiteral("Check &All"), this);
    UncheckAllButton = new QPushButton(QStringLiteral("&Uncheck All"), this);
    checkRow->addWidget(CheckAllButton);
    checkRow->addWidget(UncheckAllButton);
    checkRow->addStretch();
    outer->addLayout(checkRow);

    Buttons = new TDialogButtonBar(*this, HelpContext::MergeList);
    outer->addWidget(Buttons);

    connect(ChooseButton, &QPushButton::clicked, this, &TMergeListDialog::ChooseList);
    connect(NoneButton, &QPushButton::clicked, this, &TMergeListDialog::ClearList);
    connect(CheckAllButton, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(UncheckAllButton, &QPushButton::clicked, this, [this] { CheckAll(false); });
    ClearList();
}

void TMergeListDialog::SetList(const QString& fileName, const TMergeList& list,
                               const QList<int>& skipped) {
    FFileName = fileName;
    FList = list;
    FileEdit->setText(QDir::toNativeSeparators(fileName));
    Records->clear();
    Records->setColumnCount(int(list.Columns.size()) + 1);
    Records->setRowCount(list.Count());
    Records->setHorizontalHeaderLabels(QStringList{QStringLiteral("Print")} + list.Columns);
    for (int r = 0; r < list.Count(); ++r) {
        auto* check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        check->setCheckState(skipped.contains(r) ? Qt::Unchecked : Qt::Checked);
        Records->setItem(r, 0, check);
        for (int c = 0; c < list.Columns.size(); ++c) {
            // Line breaks inside a value show as a blank in the one-line cell.
            QString value = list.Value(r, c);
            value.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace('\n', ' ');
            Records->setItem(r, c + 1, new QTableWidgetItem(value));
        }
    }
    Records->resizeColumnsToContents();
    const bool have = !fileName.isEmpty();
    NoneButton->setEnabled(have);
    CheckAllButton->setEnabled(have);
    UncheckAllButton->setEnabled(have);
}

void TMergeListDialog::ChooseList() {
    const QString folder = FFileName.isEmpty() ? QString() : QFileInfo(FFileName).path();
    const QString name = TInteraction::Current().OpenFileName(
        this, QStringLiteral("Choose the List of People"), folder,
        QStringLiteral("Lists (*.csv *.txt *.tsv *.vcf);;All files (*)"));
    if (name.isEmpty())
        return;
    try {
        SetList(name, LoadMergeList(name), {});
    } catch (const EMergeListError& e) {
        TInteraction::Current().Information(this,
                                            QStringLiteral("The list %1 cannot be used.\n%2")
                                                .arg(QDir::toNativeSeparators(name), e.Message()));
    }
}

void TMergeListDialog::ClearList() {
    SetList(QString(), TMergeList(), {});
}

void TMergeListDialog::CheckAll(bool checked) {
    for (int r = 0; r < Records->rowCount(); ++r)
        Records->item(r, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

TMergeChoice TMergeListDialog::Choice() const {
    TMergeChoice choice{FFileName, {}};
    for (int r = 0; r < Records->rowCount(); ++r)
        if (Records->item(r, 0)->checkState() != Qt::Checked)
            choice.Skipped.append(r);
    return choice;
}
