#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps the program to one running copy per user. The first copy listens on a local socket;
// a later copy finds it there, asks it to come to the front and then ends.
class TJustOne : public QObject {
    Q_OBJECT
public:
    // name: the local socket's name (a file path is used as it stands); empty = the
    // program's own name for the current user.
    explicit TJustOne(const QString& name = QString(), QObject* parent = nullptr);
    ~TJustOne() override;

    // True when another copy was running; it has been asked to raise its window.
    bool AnotherRunning() const { return FAnotherRunning; }

    static QString DefaultName();

signals:
    // A later copy asked this one to bring its window to the front.
    void ActivationRequested();

private:
    bool AskRunningCopy();

    QString FName;
    QLocalServer* FServer = nullptr;
    bool FAnotherRunning = false;
};
