// A bare Qt program: one dialog with two line edits, nothing else.
#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("bare-dialog"));
    auto *form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("name"), new QLineEdit);
    auto *password = new QLineEdit;
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("password"), password);
    dialog.show();
    return app.exec();
}
