#pragma once

#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/message_box.h"

// Message boxes as modal QMessageBoxes: OK only, the exclamation icon, the
// program file's base name as caption. Qt shows windows on the GUI thread
// only, so a box raised on another thread is queued for the GUI thread and
// its thread waits until the box is closed. The GUI thread shows queued boxes
// from its event loop and from every wait of the link (ServicePending), so a
// dialog thread waiting on the reader never waits on the reader's box.
//
// Construct on the GUI thread; installs itself for its lifetime.
class QtMessageBoxHost : public QObject, public MessageBoxHost {
    Q_OBJECT
public:
    QtMessageBoxHost();
    ~QtMessageBoxHost() override;

    void Show(std::u16string_view text) override;
    void ServicePending() override;

    // The dialog has closed and the process is ending: boxes of other
    // threads are dropped from now on, and their threads go on at once.
    void StopShowingOthers();

    // The program file's base name.
    static QString Caption();
    // The box's text: "\r\n" is a line break.
    static QString BoxText(std::u16string_view text);

private:
    struct Request {
        QString text;
        bool closed = false;
    };
    void ShowNow(const QString& text);
    bool OnGuiThread() const;

    std::mutex mutex_;
    std::condition_variable closed_;
    std::deque<std::shared_ptr<Request>> queue_;
    bool stopped_ = false;
};
