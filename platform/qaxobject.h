#ifndef QAXOBJECT_H
#define QAXOBJECT_H

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

class ExcelApplication;
class XlsxSheet;
class XlsxWorkbook;

// The automation object through which the program drives a spreadsheet
// application, with the calls of ActiveQt's container of the same name.
// The control "Excel.Application" gives an application that keeps its
// workbooks in memory and reads and writes them as Office Open XML files
// (.xlsx, also under a ".xls" name); it offers the part of Excel's object
// model that the backup uses (workbooks, worksheets, ranges, fonts, fills)
// under Excel's member names, which compare without regard to case. A
// member may carry its argument types, "Open(const QString&)"; their number
// must match the arguments given.
//
// querySubObject returns a sub-object owned by this object, or null when the
// member gives no object; dynamicCall calls a method or, given a property
// name, reads it (no argument) or writes it (one argument), and returns an
// invalid value when the member is unknown or the call failed. Properties
// are written with QObject::setProperty as well. A table (a list of rows,
// each a list of values) written to a range's "Value" fills the cells from
// the range's top-left cell as far as the table reaches, even past the
// range's own rows and columns. A workbook that cannot be written to its
// file raises QException from "Save" or "SaveAs".
class QAxObject : public QObject
{
    Q_OBJECT

public:
    explicit QAxObject(QObject *parent = nullptr);
    explicit QAxObject(const QString &c, QObject *parent = nullptr);
    ~QAxObject() override;

    bool setControl(const QString &c);
    QString control() const;
    void clear();
    bool isNull() const;

    QAxObject *querySubObject(const char *name, const QVariant &var1 = QVariant(),
                              const QVariant &var2 = QVariant(), const QVariant &var3 = QVariant(),
                              const QVariant &var4 = QVariant(), const QVariant &var5 = QVariant(),
                              const QVariant &var6 = QVariant(), const QVariant &var7 = QVariant(),
                              const QVariant &var8 = QVariant());
    QAxObject *querySubObject(const char *name, QList<QVariant> &vars);

    QVariant dynamicCall(const char *name, const QVariant &var1 = QVariant(),
                         const QVariant &var2 = QVariant(), const QVariant &var3 = QVariant(),
                         const QVariant &var4 = QVariant(), const QVariant &var5 = QVariant(),
                         const QVariant &var6 = QVariant(), const QVariant &var7 = QVariant(),
                         const QVariant &var8 = QVariant());
    QVariant dynamicCall(const char *name, QList<QVariant> &vars);

protected:
    bool event(QEvent *e) override;

private:
    enum class Kind { Null, Application, Workbooks, Workbook, Worksheets, Worksheet, Range, Font, Interior };

    QAxObject(Kind kind, QAxObject *parent);

    static bool parseMember(const char *member, qsizetype argumentCount, QString *name);
    bool alive() const;
    QString describe() const;
    QAxObject *subObject(Kind kind, const std::shared_ptr<XlsxWorkbook> &book = nullptr,
                         const std::shared_ptr<XlsxSheet> &sheet = nullptr);
    QAxObject *rangeObject(Kind kind, int top, int left, int bottom, int right);

    QAxObject *query(const QString &name, const QList<QVariant> &args);
    bool call(const QString &name, const QList<QVariant> &args, QVariant *result);
    bool readProperty(const QString &name, QVariant *value) const;
    bool writeProperty(const QString &name, const QVariant &value);
    bool writeRangeProperty(const QString &name, const QVariant &value);
    void saveWorkbook(const QString &path);

    Kind kind = Kind::Null;
    QString controlName;
    std::shared_ptr<ExcelApplication> application;
    std::shared_ptr<XlsxWorkbook> workbook;
    std::shared_ptr<XlsxSheet> worksheet;
    int top = 1, left = 1, bottom = 1, right = 1; // the cells of a range, font or fill
    bool clearingProperty = false;
};

#endif // QAXOBJECT_H
