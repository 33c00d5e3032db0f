#include "store/table.h"

#include <QCryptographicHash>
#include <QHash>
#include <QPasswordDigestor>

namespace store {

namespace {
// Fixed application salt: the raw key depends on the password only, so any copy of the program
// opens files written by any other.
const QByteArray kSalt = QByteArrayLiteral("Palvexa.store.key.v1");
constexpr int kIterations = 64000;
} // namespace

struct Session::Impl {
    QString name;
    QStringList passwords;
    mutable QHash<QString, QString> keys;
};

Session::Session(QString name) : d(std::make_unique<Impl>()) {
    d->name = std::move(name);
}
Session::~Session() = default;

const QString& Session::name() const {
    return d->name;
}

void Session::addPassword(const QString& password) {
    if (!d->passwords.contains(password))
        d->passwords.push_back(password);
}

QStringList Session::passwords() const {
    return d->passwords;
}

QStringList Session::rawKeys() const {
    QStringList out;
    for (const QString& p : d->passwords)
        out.push_back(rawKeyFor(p));
    return out;
}

QString Session::rawKeyFor(const QString& password) const {
    auto it = d->keys.constFind(password);
    if (it != d->keys.constEnd())
        return *it;
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), kSalt, kIterations, 32);
    const QString literal = QStringLiteral("x'%1'").arg(QString::fromLatin1(key.toHex()));
    d->keys.insert(password, literal);
    return literal;
}

} // namespace store
