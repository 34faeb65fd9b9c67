#pragma once

#include "journal/journal.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace journal {

class Connection;

// What a till has printed and the shared journal's server does not have
// yet: a small SQLite file of the till's own, every change committed to its
// disk before the page goes on, so that a cheque printed while the server is
// away is written down all the same. A cheque is one letter, which its
// outcome replaces until it is sent; letters go in the order their cheques
// were printed.
class Outbox
{
public:
    struct Letter
    {
        PrintedCheque cheque; // with its identity
        Journal::Outcome outcome = Journal::Outcome::HandedOver;
        QDateTime at; // when the outcome was known
        QString detail;
    };

    // The outbox at `path`, made when absent.
    static platform::Result<std::unique_ptr<Outbox>> open(const QString &path);
    ~Outbox();
    Outbox(const Outbox &) = delete;
    Outbox &operator=(const Outbox &) = delete;

    QString path() const { return m_path; }

    // Keeps the letter of its cheque, in place of the one before.
    platform::Result<void> put(const Letter &letter);
    // How many cheques wait.
    platform::Result<int> count() const;
    // The letters, in order.
    platform::Result<QList<Letter>> letters() const;
    // Delivers each letter, in order, to `journal`, and takes it out once
    // the journal has it; stops at the first the journal refuses. `sent` is
    // told each cheque's id in the journal. A letter delivered but not yet
    // taken out when the program stops is delivered again, which the
    // journal takes as nothing new.
    platform::Result<void> sendTo(Journal &journal, const std::function<void(const QString &, qint64)> &sent = {});

private:
    Outbox() = default;
    std::unique_ptr<Connection> m_connection;
    QString m_path;
};

} // namespace journal
