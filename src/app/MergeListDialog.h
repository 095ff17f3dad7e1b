#pragma once

#include "app/MergeChoice.h"
#include "merge/MergeList.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;
class TDialogButtonBar;

// "Merge List": chooses the list of people a design prints for and, in a table of its
// records, which of them print (all are checked for a new list).
class TMergeListDialog : public QDialog {
    Q_OBJECT
public:
    explicit TMergeListDialog(QWidget* mainWindow);

    // Shows the list and checks every record the choice does not skip.
    void SetList(const QString& fileName, const TMergeList& list, const QList<int>& skipped);
    // Asks for a list file and shows it; a list that cannot be read is reported and the
    // shown one stays.
    void ChooseList();
    void ClearList();
    void CheckAll(bool checked);

    TMergeChoice Choice() const;
    const TMergeList& List() const { return FList; }

    QLineEdit* FileEdit = nullptr;
    QPushButton* ChooseButton = nullptr;
    QPushButton* NoneButton = nullptr;
    QPushButton* CheckAllButton = nullptr;
    QPushButton* UncheckAllButton = nullptr;
    QTableWidget* Records = nullptr;
    TDialogButtonBar* Buttons = nullptr;

private:
    QString FFileName;
    TMergeList FList;
};
