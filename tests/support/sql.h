#pragma once
// Runs SQL on a people file with a connection of the test's own, as another program (or an older version of
// this one) would change the file.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>

#include <initializer_list>
#include <string>

namespace kalvora::testing {

inline void RunSql(const std::string& file, std::initializer_list<const char*> statements) {
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(QString::fromStdString(file));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : statements) ASSERT_TRUE(q.exec(sql)) << sql;
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace kalvora::testing
