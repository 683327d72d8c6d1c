#pragma once
// Shared by the files of the database source (sqlsource.cpp, sqlurl.cpp,
// sqlstatement.cpp) and by nothing else.

#include <QString>

struct TSqlConnection;

namespace sqldetail {

// Sets *error when there is one to set; false.
bool fail(QString *error, const QString &text);
// One statement only, under every reading a server might give the text: in
// doubt, more than one.
bool moreThanOneStatement(const QString &sql);
// Connect options as the driver takes them.
QString driverOptions(const TSqlConnection &c);

} // namespace sqldetail
