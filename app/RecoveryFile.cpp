#include "app/RecoveryFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/CatalogError.h"
#include "app/CatalogLocation.h"
#include "app/CatalogStore.h"
#include "app/CheckedUpdate.h"
#include "app/EditPrompt.h"

namespace tolvane {

QString TRecoveryFile::PathFor(const QString& catalogue) {
    if (!TCatalogLocation::NamesServer(catalogue)) return catalogue + ".recovery";
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QByteArray id = QCryptographicHash::hash(catalogue.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return folder + "/server-" + QString::fromLatin1(id) + ".recovery";
}

namespace {

// Numbers come back from JSON as doubles; whole ones are read as the integers they were.
QVariant FromJson(const QJsonValue& value) {
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d == static_cast<double>(static_cast<qlonglong>(d))) return QVariant::fromValue<qlonglong>(qlonglong(d));
        return d;
    }
    if (value.isString()) return value.toString();
    return {};
}

QJsonValue ToJson(const QVariant& value) {
    if (value.isNull()) return QJsonValue::Null;
    if (value.typeId() == QMetaType::QString) return value.toString();
    return QJsonValue::fromVariant(value);
}

} // namespace

std::vector<TRecoveryFile::TEntry> TRecoveryFile::Read(const QString& catalogue) {
    const QString path = PathFor(catalogue);
    QFile file(path);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly)) throw ECatalogError(path + ": " + file.errorString());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject()) throw ECatalogError(path + ": damaged (" + error.errorString() + ")");
    std::vector<TEntry> entries;
    for (const QJsonValue& v : doc.object().value("edits").toArray()) {
        const QJsonObject o = v.toObject();
        entries.push_back({o.value("table").toString(), o.value("keyField").toString(), FromJson(o.value("key")),
                           o.value("record").toString(), o.value("field").toString(), FromJson(o.value("old")),
                           FromJson(o.value("new"))});
        if (entries.back().Table.isEmpty() || entries.back().Field.isEmpty() || entries.back().Key.isNull())
            throw ECatalogError(path + ": damaged (an edit without its table, field or key)");
    }
    return entries;
}

void TRecoveryFile::Write(const QString& catalogue, const std::vector<TEntry>& entries) {
    const QString path = PathFor(catalogue);
    if (entries.empty()) {
        if (QFile::exists(path) && !QFile::remove(path)) throw ECatalogError(path + ": cannot be removed");
        return;
    }
    // A server's file lives in the user's data folder, which may not exist yet.
    QDir().mkpath(QFileInfo(path).path());
    QJsonArray edits;
    for (const TEntry& e : entries)
        edits.append(QJsonObject{{"table", e.Table},
                                 {"keyField", e.KeyField},
                                 {"key", ToJson(e.Key)},
                                 {"record", e.Record},
                                 {"field", e.Field},
                                 {"old", ToJson(e.Old)},
                                 {"new", ToJson(e.New)}});
    QSaveFile file(path);
    const QByteArray text =
        QJsonDocument(QJsonObject{{"catalogue", TCatalogLocation::NamesServer(catalogue) ? TCatalogLocation::Parse(catalogue).Display()
                                                                      : QFileInfo(catalogue).fileName()}, {"edits", edits}}).toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw ECatalogError(path + ": " + file.errorString());
}

void TRecoveryFile::Append(const QString& catalogue, const std::vector<TEntry>& entries) {
    std::vector<TEntry> all;
    try {
        all = Read(catalogue);
    } catch (const ECatalogError&) {
        // A damaged file is not overwritten: the new edits go to a file of their own.
        QFile::rename(PathFor(catalogue), PathFor(catalogue) + ".damaged");
    }
    all.insert(all.end(), entries.begin(), entries.end());
    Write(catalogue, all);
}

void TRecoveryFile::Offer(TCatalogStore& store) {
    const QString catalogue = store.Path();
    std::vector<TEntry> entries = Read(catalogue);
    if (entries.empty()) return;
    switch (TEditPrompt::Recovery(PathFor(catalogue), static_cast<int>(entries.size()))) {
    case TRecoveryChoice::rcLater:
        return;
    case TRecoveryChoice::rcDiscard:
        Write(catalogue, {});
        return;
    case TRecoveryChoice::rcApply:
        break;
    }
    std::vector<TEntry> left;
    std::size_t next = 0;
    try {
        for (; next < entries.size(); ++next) {
            TEntry& e = entries[next];
            for (;;) {
                const auto stale = TCheckedUpdate::Run(store, e.Table, e.KeyField, e.Key, {{e.Field, e.Old, e.New}});
                if (stale.empty() || SameStoredValue(stale.front().Stored, e.New)) break;
                const TConflictChoice choice = TEditPrompt::Conflict(
                    {e.Record, e.Field, stale.front().Stored.toString(), e.New.toString()});
                if (choice == TConflictChoice::ccKeepStored) break;
                if (choice == TConflictChoice::ccLater) {
                    left.push_back(e);
                    break;
                }
                e.Old = stale.front().Stored;
            }
        }
    } catch (...) {
        left.insert(left.end(), entries.begin() + static_cast<std::ptrdiff_t>(next), entries.end());
        Write(catalogue, left);
        throw;
    }
    Write(catalogue, left);
}

} // namespace tolvane
