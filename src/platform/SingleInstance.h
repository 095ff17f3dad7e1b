#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

class QLocalServer;

// Keeps the program to one running copy per user and display. The first copy listens on a local
// socket; a later copy finds it there, asks it to come to the front (and to open the design file
// the later copy was started with) and then ends.
class TJustOne : public QObject {
    Q_OBJECT
public:
    // name: the local socket's name (a file path is used as it stands); empty = the
    // program's own name for the current user and display. openPath: a file to hand to a running
    // copy.
    explicit TJustOne(const QString& name = QString(), const QString& openPath = QString(),
                      QObject* parent = nullptr);
    ~TJustOne() override;

    // True when another copy was running; it has been asked to raise its window and to open
    // openPath, if one was given.
    bool AnotherRunning() const { return FAnotherRunning; }

    // The name for the current user on the display (or, without one, the login session)
    // that the environment names.
    static QString
    DefaultName(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

signals:
    // A later copy asked this one to bring its window to the front.
    void ActivationRequested();
    // A later copy was started with this file; it comes after ActivationRequested.
    void OpenRequested(const QString& path);

private:
    bool AskRunningCopy(const QString& openPath);
    void HandleRequest(const QByteArray& line);

    QString FName;
    QLocalServer* FServer = nullptr;
    bool FAnotherRunning = false;
};
