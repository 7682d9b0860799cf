#include "ui/qt_message_box_host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>

QtMessageBoxHost::QtMessageBoxHost() { SetMessageBoxHost(this); }

QtMessageBoxHost::~QtMessageBoxHost() {
    SetMessageBoxHost(nullptr);
    StopShowingOthers();
}

QString QtMessageBoxHost::Caption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString QtMessageBoxHost::BoxText(std::u16string_view text) {
    QString out = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

bool QtMessageBoxHost::OnGuiThread() const { return QThread::currentThread() == thread(); }

void QtMessageBoxHost::ShowNow(const QString& text) {
    QMessageBox box(QMessageBox::Warning, Caption(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtMessageBoxHost::Show(std::u16string_view text) {
    if (OnGuiThread()) {
        ShowNow(BoxText(text));
        return;
    }
    auto request = std::make_shared<Request>();
    request->text = BoxText(text);
    {
        std::unique_lock lock(mutex_);
        if (stopped_) return;
        queue_.push_back(request);
    }
    // Wakes the GUI thread's event loop; a wait of the link on the GUI thread
    // finds the request by itself.
    QMetaObject::invokeMethod(this, &QtMessageBoxHost::ServicePending, Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    closed_.wait(lock, [&] { return request->closed || stopped_; });
}

void QtMessageBoxHost::ServicePending() {
    if (!OnGuiThread()) return;
    for (;;) {
        std::shared_ptr<Request> request;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty() || stopped_) return;
            request = queue_.front();
            queue_.pop_front();
        }
        ShowNow(request->text);
        {
            std::lock_guard lock(mutex_);
            request->closed = true;
        }
        closed_.notify_all();
    }
}

void QtMessageBoxHost::StopShowingOthers() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        queue_.clear();
    }
    closed_.notify_all();
}
