#include "app/CatalogLocation.h"

#include <QUrl>
#include <QUrlQuery>

#include "app/CatalogError.h"

namespace tolvane {

namespace {

// The libpq parameters a URI may carry besides host, port, user, password and dbname.
const QStringList kPassedOn = {"sslmode",
                               "sslrootcert",
                               "sslcert",
                               "sslkey",
                               "sslcrl",
                               "gssencmode",
                               "channel_binding",
                               "application_name",
                               "passfile",
                               "service",
                               "target_session_attrs",
                               "connect_timeout"};

// A value in libpq's connection string: quoted, with quotes and backslashes escaped.
QString ConnectionValue(const QString& value) {
    QString escaped = value;
    escaped.replace('\\', "\\\\").replace('\'', "\\'");
    return '\'' + escaped + '\'';
}

} // namespace

bool TCatalogLocation::NamesServer(const QString& text) {
    return text.startsWith("postgresql://", Qt::CaseInsensitive) ||
           text.startsWith("postgres://", Qt::CaseInsensitive);
}

TCatalogLocation TCatalogLocation::Parse(const QString& text) {
    TCatalogLocation location;
    if (!NamesServer(text)) {
        location.file_ = text;
        return location;
    }
    location.server_ = true;
    const QUrl url(text, QUrl::StrictMode);
    // The URI itself may hold the password: a fault names only what follows the scheme's start.
    const auto fail = [&](const QString& reason) {
        const QString shown = location.database_.isEmpty() ? QString("postgresql://…") : location.Display();
        return ECatalogError(shown + ": " + reason);
    };
    if (!url.isValid()) throw fail("not a valid PostgreSQL URI");
    location.host_ = url.host(QUrl::FullyDecoded);
    location.user_ = url.userName(QUrl::FullyDecoded);
    location.password_ = url.password(QUrl::FullyDecoded);
    location.port_ = url.port(-1);
    location.database_ = url.path(QUrl::FullyDecoded).mid(1);
    if (url.hasFragment()) throw fail("a PostgreSQL URI has no fragment");

    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == "host") {
            location.host_ = value;
        } else if (key == "port") {
            bool ok = false;
            location.port_ = value.toInt(&ok);
            if (!ok) location.port_ = 0;
        } else if (key == "user") {
            location.user_ = value;
        } else if (key == "password") {
            location.password_ = value;
            continue; // never shown
        } else if (key == "dbname") {
            location.database_ = value;
        } else if (kPassedOn.contains(key)) {
            // Qt's driver splits its options at semicolons.
            if (value.contains(';')) throw fail("the parameter " + key + " holds a semicolon");
            location.options_ << key + '=' + ConnectionValue(value);
        } else {
            throw fail("unknown parameter " + key);
        }
        location.shownQuery_ << key + '=' + value;
    }
    if (location.database_.isEmpty() || location.database_.contains('/'))
        throw fail("the URI names no database (postgresql://host/dbname)");
    if (location.port_ == 0 || location.port_ > 65535)
        throw fail("the port must be a number from 1 to 65535");
    return location;
}

QString TCatalogLocation::Display() const {
    if (!server_) return file_;
    QString shown = "postgresql://";
    if (!user_.isEmpty()) shown += user_ + '@';
    // A socket folder given in the query is shown there; a host of the authority here.
    const bool hostInQuery = shownQuery_.contains("host=" + host_);
    if (!hostInQuery) shown += host_.contains(':') ? '[' + host_ + ']' : host_;
    if (port_ > 0 && !shownQuery_.contains("port=" + QString::number(port_)))
        shown += ':' + QString::number(port_);
    shown += '/' + database_;
    QStringList query;
    for (const QString& item : shownQuery_)
        if (!item.startsWith("user=") && !item.startsWith("dbname=")) query << item;
    if (!query.isEmpty()) shown += '?' + query.join('&');
    return shown;
}

} // namespace tolvane
