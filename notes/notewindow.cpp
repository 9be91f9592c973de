#include "notewindow.h"
#include "ui_notewindow.h"

#include <QDate>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidgetItem>
#include <QVBoxLayout>

#include "attachmentname.h"
#include "downloaddialog.h"
#include "musicplaydialog.h"
#include "noteaddupdatedialog.h"
#include "notejson.h"
#include "notesearchdialog.h"
#include "noticebox.h"
#include "rowmenu.h"
#include "showcontentdialog.h"
#include "sortingpause.h"
#include "tablerows.h"

namespace {

const int kColumnCount = 20;
const int kImageColumn = 13;
const int kVolumeColumn = 14;
const int kAttachedFileColumn = 15;
const int kOwnerColumn = 16;
const int kIdColumn = 18;
const int kContentColumn = 19;

// The property of a row's content and thumbnail labels that names the row's note.
const char *const kNoteId = "noteId";
// The properties of a row's voice and download buttons: the file's server
// address and, for the download, the name it is saved under.
const char *const kAddress = "fileAddress";
const char *const kFileName = "fileName";

const QStringList &headerLabels()
{
    static const QStringList labels{
        QStringLiteral("笔记类型"), QStringLiteral("是否展示"), QStringLiteral("优先级"), QStringLiteral("笔记主题"),
        QStringLiteral("访问的地址"), QStringLiteral("添加日期"), QStringLiteral("修改日期"), QStringLiteral("提醒开关"),
        QStringLiteral("提醒方式"), QStringLiteral("提醒主体"), QStringLiteral("提醒频率"), QStringLiteral("提醒日期"),
        QStringLiteral("前置天数"), QStringLiteral("图片"), QStringLiteral("声音"), QStringLiteral("附件"),
        QStringLiteral("用户名"), QStringLiteral("备注"), QStringLiteral("ID"), QStringLiteral("笔记内容")};
    return labels;
}

const QList<QPair<int, int>> &columnWidths()
{
    static const QList<QPair<int, int>> widths{{0, 80},  {1, 60},   {2, 50},  {3, 100}, {4, 100},
                                               {5, 90},  {6, 90},   {7, 60},  {11, 90}, {12, 60},
                                               {13, 60}, {14, 100}, {15, 150}, {17, 300}};
    return widths;
}

// The day of a "yyyy-MM-dd" text, or an invalid date. Ten ASCII characters
// of that form are read directly; anything else goes to the format parser.
QDate dayOf(const QString &text)
{
    const auto digits = [&text](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    if (text.size() == 10 && text.at(4) == u'-' && text.at(7) == u'-') {
        const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
        if (year >= 0 && month >= 0 && day >= 0)
            return QDate(year, month, day);
    }
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// Sets one role of an item; a role to be left unset costs nothing on an item
// that does not have it.
void setRole(QTableWidgetItem *item, int role, const QVariant &value)
{
    if (value.isValid() || item->data(role).isValid())
        item->setData(role, value);
}

// Colours the reminder switch and date of a row by how close the date is
// (over whatever colours the row's items had before).
void colourReminder(QTableWidgetItem *isRemindItem, QTableWidgetItem *dateItem, const DomainNote &note,
                    const QDate &today)
{
    const QDate remind = dayOf(note.getRemindDate());
    QVariant dateColour;
    QVariant dateBackground;
    // A reminder that is off, or has no date it could fall on, leaves the date alone.
    if (!note.getIsRemind().contains(QStringLiteral("开启")) || !remind.isValid()) {
        isRemindItem->setForeground(QColor(30, 30, 30));
    } else {
        const QDate start = remind.addDays(-note.getRemindDateNumber());
        if (today < start) {
            dateColour = QBrush(QColor(0, 100, 0));
        } else if (today < remind) {
            dateColour = QBrush(QColor(255, 165, 0));
        } else {
            dateColour = QBrush(QColor(255, 0, 0));
            if (today == remind)
                dateBackground = QBrush(QColor(255, 228, 181));
        }
        isRemindItem->setForeground(QColor(255, 169, 0));
    }
    setRole(dateItem, Qt::ForegroundRole, dateColour);
    setRole(dateItem, Qt::BackgroundRole, dateBackground);
}

// A cell widget whose vertical layout holds the given widgets, centred.
QWidget *centredCell(std::initializer_list<QWidget *> widgets)
{
    auto *cell = new QWidget;
    auto *layout = new QVBoxLayout(cell);
    for (QWidget *widget : widgets)
        layout->addWidget(widget, 0, Qt::AlignHCenter);
    return cell;
}

} // namespace

NoteWindow::NoteWindow(QWidget *parent) : TableWindow(parent, Property().getPageSize()), ui(new Ui::NoteWindow)
{
    ui->setupUi(this);
    init();
}

NoteWindow::~NoteWindow()
{
    delete player;
    delete ui;
}

void NoteWindow::init()
{
    contentViewer = new ShowContentDialog(this);
    connect(this, SIGNAL(sendNoteToShowContent(DomainNote&)), contentViewer, SLOT(receiveNote(DomainNote&)));
    connect(this, SIGNAL(sendNoteToShowImage(DomainNote&)), &imageViewer, SLOT(receiveNote(DomainNote&)));

    statusLabel = PagingBar::addStatus(ui->statusbar, QStringLiteral("QLabel{color:black}"));
    loader.setPaging(PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}条笔记"),
        QStringLiteral("当前总笔记数量为 {total} 条，总共 {pages} 页，每页显示 {pageSize} 条笔记，当前所在位置：第 {curPage} 页;    "),
        QString(), QStringLiteral("当前总笔记数量为 {total} 条，已全部显示在页面中；    ")}, statusLabel));

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(kColumnCount);
    table->setColumnHidden(kIdColumn, true);
    const ColumnSwitch::SetHidden columns = ColumnSwitch::columnsOf(table);
    isShowSwitch = ColumnSwitch(ui->isShowAction, &isShowHidden, {1},
                                {QStringLiteral(":/images/eye-on.png"), QStringLiteral("关闭显示列")},
                                {QStringLiteral(":/images/eye-off.png"), QStringLiteral("打开显示列")}, columns);
    registerDateSwitch = ColumnSwitch(ui->registerDateSwitchAction, &registerDateHidden, {5},
                                      {QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列")},
                                      {QStringLiteral(":/images/date-off.png"), QStringLiteral("打开添加日期列")},
                                      columns);
    remindMethodSwitch = ColumnSwitch(ui->remindMethodSwitchAction, &remindMethodHidden, {8, 9, 10, 11, 12},
                                      {QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列")},
                                      {QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列")},
                                      columns);
    addressSwitch = ColumnSwitch(ui->addressSwitchAction, &addressHidden, {4},
                                 {QStringLiteral(":/images/address-on.png"), QStringLiteral("关闭地址列")},
                                 {QStringLiteral(":/images/address-off.png"), QStringLiteral("打开地址列")}, columns);
    imageSwitch = ColumnSwitch(ui->imageAction, &imageHidden, {kImageColumn, kVolumeColumn, kAttachedFileColumn},
                               {QStringLiteral(":/images/attached-on.png"), QStringLiteral("关闭附属列")},
                               {QStringLiteral(":/images/attached-off.png"), QStringLiteral("打开附属列")}, columns);
    commentSwitch = ColumnSwitch(ui->commentSwitchAction, &commentHidden, {17},
                                 {QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭备注列")},
                                 {QStringLiteral(":/images/comment-off.png"), QStringLiteral("打开备注列")}, columns);
    for (ColumnSwitch *s :
         {&isShowSwitch, &registerDateSwitch, &remindMethodSwitch, &addressSwitch, &imageSwitch, &commentSwitch})
        s->apply();

    table->verticalHeader()->setDefaultSectionSize(75);
    // The widgets of a row (content, thumbnail, voice clip, attachment) are
    // made when the row comes into view.
    table->viewport()->installEventFilter(this);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, this, &NoteWindow::showCellWidgets);
    connect(table->model(), &QAbstractItemModel::layoutChanged, this, &NoteWindow::showCellWidgets);

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(table, &QWidget::customContextMenuRequested, this, &NoteWindow::slotContextMenu);

    // One player for the window's life; each "播放" hands it one clip.
    player = new MusicPlayDialog;
    connect(this, SIGNAL(sendMusicPath(QString&)), player, SLOT(receiveWebPath(QString&)));
}

QString NoteWindow::defaultFilter() const
{
    QString filter;
    if (grade < 5)
        filter = ownerCondition();
    return filter + QStringLiteral(" and isShow ='展示'");
}

QString NoteWindow::fileAddress(const QString &name) const
{
    return property.getHostURL() + QStringLiteral("/account/note/") + name;
}

void NoteWindow::clearRows()
{
    initTableWidget();
}

void NoteWindow::initTableWidget()
{
    TableRows::reset(ui->tableWidget, headerLabels(), columnWidths());
    // The cell widgets went with the rows; the records go now.
    dropRecords();
}

void NoteWindow::dropRecords()
{
    qDeleteAll(noteList);
    noteList.clear();
    menuNoteId = 0;
    ui->tableWidget->setColumnHidden(kOwnerColumn, grade <= 4);
}

QJsonObject NoteWindow::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

QJsonObject NoteWindow::requestDue(const QJsonObject &request)
{
    return endpoint.findByRemindDay(request);
}

void NoteWindow::fillRows(const QJsonArray &rows)
{
    writeRows(rows, ui->tableWidget->rowCount());
}

void NoteWindow::replaceRows(const QJsonArray &rows)
{
    // The rows of the page shown take the new page's notes: their items and
    // the cell widgets of the rows that were in view are reused, so a page
    // turn neither destroys nor makes them again.
    TableRows::prepare(ui->tableWidget, headerLabels(), columnWidths());
    dropRecords();
    writeRows(rows, 0);
}

void NoteWindow::writeRows(const QJsonArray &rows, int first)
{
    // The page's pictures are fetched while its rows are made.
    QStringList pictures;
    for (const QJsonValue &row : rows) {
        const QString image = row.toObject().value(QStringLiteral("image")).toString();
        if (!image.isEmpty())
            pictures << fileAddress(image);
    }
    thumbnails.fetch(pictures);

    QTableWidget *table = ui->tableWidget;
    {
        // The rows are written with the table's sorting paused and its
        // painting held, then sorted and painted once.
        const SortingPause pause(table);
        table->setUpdatesEnabled(false);
        writing = true;
        table->setRowCount(first + int(rows.size()));
        if (first == 0)
            table->scrollToTop();
        nextRow = first;
        for (const QJsonValue &value : rows) {
            QJsonObject json = value.toObject();
            noteList.append(appendOneRow(json));
        }
        writing = false;
        table->setUpdatesEnabled(true);
    }
    // The table lays out its rows now rather than from a timer after the
    // page has been painted, which would paint it a second time.
    table->doItemsLayout();
    showCellWidgets();
    thumbnails.waitAll();
}

DomainNote *NoteWindow::appendOneRow(QJsonObject &json)
{
    auto *note = new DomainNote(this);
    NoteJson::fromJson(json, *note);

    // Columns 13 to 15 and 19 hold widgets; their items stay empty.
    const QStringList cells{note->getMold(),
                            note->getIsShow(),
                            QString::number(note->getGrade()),
                            note->getTitle(),
                            note->getAddress(),
                            note->getRegisterDate(),
                            note->getUpdateDate(),
                            note->getIsRemind(),
                            note->getRemindMethod(),
                            note->getRemindMethodBody(),
                            note->getRemindFrequency(),
                            note->getRemindDate(),
                            QString::number(note->getRemindDateNumber()) + QStringLiteral(" 天"),
                            QString(),
                            QString(),
                            QString(),
                            note->getLoginName(),
                            note->getComment(),
                            QString::number(note->getId())};
    const int row = nextRow++;
    const QList<QTableWidgetItem *> items = TableRows::write(ui->tableWidget, row, cells, [](int column) {
        const bool centred = column <= 12 || column == kOwnerColumn || column == 17;
        return centred ? Qt::Alignment(Qt::AlignCenter) : Qt::Alignment();
    });
    colourReminder(items.at(7), items.at(11), *note, QDate::currentDate());
    // A row that has its widgets from an earlier note shows this one's.
    if (ui->tableWidget->cellWidget(row, kContentColumn))
        fillCells(row, *note);
    return note;
}

void NoteWindow::showCellWidgets()
{
    if (writing)
        return;
    QTableWidget *table = ui->tableWidget;
    const int first = table->rowAt(0);
    if (first < 0)
        return;
    int last = table->rowAt(table->viewport()->height() - 1);
    if (last < 0)
        last = table->rowCount() - 1;
    for (int row = first; row <= last; ++row) {
        const QTableWidgetItem *id = table->item(row, kIdColumn);
        if (!id || table->cellWidget(row, kContentColumn))
            continue;
        if (const DomainNote *note = RowMenu::find(noteList, id->text().toInt()))
            fillCells(row, *note);
    }
}

void NoteWindow::fillCells(int row, const DomainNote &note)
{
    QTableWidget *table = ui->tableWidget;
    if (auto *content = qobject_cast<QLabel *>(table->cellWidget(row, kContentColumn))) {
        content->setText(note.getContent());
        content->setProperty(kNoteId, note.getId());
    } else {
        placeCell(row, kContentColumn, contentLabel(note));
    }

    fileCell(row, kImageColumn, note.getImage(), [&](QWidget *cell) {
        auto *label = static_cast<QLabel *>(cell);
        label->clear();
        label->setProperty(kNoteId, note.getId());
        thumbnails.show(label, fileAddress(note.getImage()));
    }, [&] { return thumbnail(note); });
    fileCell(row, kVolumeColumn, note.getVolume(), [&](QWidget *cell) {
        cell->findChild<QPushButton *>()->setProperty(kAddress, fileAddress(note.getVolume()));
    }, [&] { return voiceCell(note); });
    fileCell(row, kAttachedFileColumn, note.getAttachedFile(), [&](QWidget *cell) {
        const QString name = AttachmentName::display(note.getAttachedFile());
        cell->findChild<QLabel *>()->setText(name);
        auto *button = cell->findChild<QPushButton *>();
        button->setProperty(kAddress, fileAddress(note.getAttachedFile()));
        button->setProperty(kFileName, name);
    }, [&] { return attachmentCell(note); });
}

void NoteWindow::fileCell(int row, int column, const QString &file, const std::function<void(QWidget *)> &update,
                          const std::function<QWidget *()> &make)
{
    QWidget *cell = ui->tableWidget->cellWidget(row, column);
    if (file.isEmpty()) {
        if (cell)
            ui->tableWidget->removeCellWidget(row, column);
    } else if (cell) {
        update(cell);
    } else {
        placeCell(row, column, make());
    }
}

void NoteWindow::placeCell(int row, int column, QWidget *widget)
{
    // A widget shown without a size of its own would first be sized to its
    // size hint (for rich text a layout of the whole text) only to be given
    // the cell's size right after.
    QTableWidget *table = ui->tableWidget;
    widget->resize(table->columnWidth(column), table->rowHeight(row));
    table->setCellWidget(row, column, widget);
}

QLabel *NoteWindow::contentLabel(const DomainNote &note)
{
    // The label tells HTML from plain text itself.
    auto *label = new QLabel(note.getContent());
    label->setObjectName(QStringLiteral("noteContent"));
    label->setWordWrap(true);
    label->setProperty(kNoteId, note.getId());
    label->installEventFilter(this);
    return label;
}

QLabel *NoteWindow::thumbnail(const DomainNote &note)
{
    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("noteImage"));
    label->setAlignment(Qt::AlignCenter);
    label->setProperty(kNoteId, note.getId());
    label->installEventFilter(this);
    thumbnails.show(label, fileAddress(note.getImage()));
    return label;
}

QWidget *NoteWindow::voiceCell(const DomainNote &note)
{
    auto *button = new QPushButton(QIcon(QStringLiteral(":/images/voice.png")), QStringLiteral("播放"));
    button->setFixedSize(80, 35);
    button->setProperty(kAddress, fileAddress(note.getVolume()));
    connect(button, &QPushButton::clicked, this, [this, button] {
        QString path = button->property(kAddress).toString();
        emit sendMusicPath(path);
        player->open();
    });
    return centredCell({button});
}

QWidget *NoteWindow::attachmentCell(const DomainNote &note)
{
    const QString name = AttachmentName::display(note.getAttachedFile());
    auto *label = new QLabel(name);
    label->setTextFormat(Qt::PlainText);
    auto *button = new QPushButton(QStringLiteral("下 载"));
    button->setFixedWidth(80);
    button->setProperty(kAddress, fileAddress(note.getAttachedFile()));
    button->setProperty(kFileName, name);
    connect(button, &QPushButton::clicked, this, [button] {
        // Each download has its own window, which deletes itself when closed.
        auto *downloader = new DownLoadDialog;
        if (downloader->startDownload(button->property(kAddress).toString(), button->property(kFileName).toString()))
            downloader->show();
        else
            delete downloader;
    });
    return centredCell({label, button});
}

bool NoteWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->tableWidget->viewport()) {
        if (event->type() == QEvent::Resize)
            showCellWidgets();
        return TableWindow::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonDblClick)
        return TableWindow::eventFilter(watched, event);
    const QVariant id = watched->property(kNoteId);
    if (!id.isValid())
        return TableWindow::eventFilter(watched, event);
    // The row's note, found by the id its label carries: the table's current
    // row may be another one.
    if (DomainNote *note = RowMenu::find(noteList, id.toInt())) {
        if (watched->objectName() == QLatin1String("noteImage"))
            showImage(*note);
        else
            showContent(*note);
    }
    return true;
}

void NoteWindow::showContent(DomainNote &note)
{
    emit sendNoteToShowContent(note);
    contentViewer->show();
    contentViewer->raise();
}

void NoteWindow::showImage(DomainNote &note)
{
    emit sendNoteToShowImage(note);
    imageViewer.show();
}

void NoteWindow::createMenu()
{
    menu = new QMenu(this);
    deleteAction = new QAction(QIcon(QStringLiteral(":/images/delete.png")), QStringLiteral("删除此行"), this);
    updateAction = new QAction(QIcon(QStringLiteral(":/images/update.png")), QStringLiteral("修改此行"), this);
    showContentAction = new QAction(QIcon(QStringLiteral(":/images/report.png")), QStringLiteral("显示内容"), this);
    showImageAction = new QAction(QIcon(QStringLiteral(":/images/image1.png")), QStringLiteral("显示图片"), this);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    menu->addAction(showContentAction);
    menu->addAction(showImageAction);
    connect(menu, &QMenu::triggered, this, &NoteWindow::slotMenuClicked);
}

void NoteWindow::slotContextMenu(QPoint pos)
{
    // The note of the row under the mouse, not of the table's current row.
    const DomainNote *note = RowMenu::at(ui->tableWidget, pos, kIdColumn, noteList);
    if (!note)
        return;
    menuNoteId = note->getId();
    showImageAction->setVisible(!note->getImage().isEmpty());
    showContentAction->setVisible(!note->getContent().isEmpty());
    RowMenu::open(menu, ui->tableWidget, pos);
}

void NoteWindow::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        if (!NoticeBox::confirmDelete(QMessageBox::Information))
            return;
        if (DomainNote *note = RowMenu::find(noteList, menuNoteId))
            deleteRemind(*note);
        return;
    }
    DomainNote *note = RowMenu::find(noteList, menuNoteId);
    if (!note)
        return;
    if (action == updateAction)
        updateRemind(*note);
    else if (action == showContentAction)
        showContent(*note);
    else if (action == showImageAction)
        showImage(*note);
}

void NoteWindow::deleteRemind(DomainNote &note)
{
    loader.remove(NoteJson::toJson(note), [this](const QJsonObject &request) { return endpoint.delete1(request); },
                  [](const QString &reason) {
                      NoticeBox::show(QMessageBox::Information, QStringLiteral("提示信息"), reason);
                  });
}

void NoteWindow::updateRemind(DomainNote &note)
{
    NoteAddUpdateDialog dialog;
    connect(this, &NoteWindow::sendUser, &dialog, &NoteAddUpdateDialog::receiveUser);
    if (user)
        emit sendUser(*user);
    connect(this, &NoteWindow::sendNote, &dialog, &NoteAddUpdateDialog::receiveNote);
    emit sendNote(note);
    if (dialog.exec() == QDialog::Accepted)
        loader.reload();
}

void NoteWindow::on_addAction_triggered()
{
    NoteAddUpdateDialog dialog;
    connect(this, &NoteWindow::sendUser, &dialog, &NoteAddUpdateDialog::receiveUser);
    if (user)
        emit sendUser(*user);
    // After an addition the window lists the user's own shown notes, at every grade.
    if (dialog.exec() == QDialog::Accepted)
        loader.select(ownerCondition() + QStringLiteral(" and isShow ='展示'"));
}

void NoteWindow::on_findAction_triggered()
{
    runSearch<NoteSearchDialog>(this);
}

void NoteWindow::on_copyAction_triggered()
{
    loader.backup({QStringLiteral("备份"), QStringLiteral("总笔记数量大于当前显示的笔记数量"),
                   QStringLiteral("如果备份所有的笔记:选择<全部导出>，只备份当前显示笔记:选择<导出当前>")});
}

void NoteWindow::toExcel()
{
    backUpShownRows(exportHeaders, exportKeys);
}

void NoteWindow::on_QuitAction_triggered()
{
    close();
}
void NoteWindow::on_registerDateSwitchAction_triggered()
{
    registerDateSwitch.toggle();
}

void NoteWindow::on_remindMethodSwitchAction_triggered()
{
    remindMethodSwitch.toggle();
}

void NoteWindow::on_addressSwitchAction_triggered()
{
    addressSwitch.toggle();
}

void NoteWindow::on_imageAction_triggered()
{
    imageSwitch.toggle();
}

void NoteWindow::on_commentSwitchAction_triggered()
{
    commentSwitch.toggle();
}

void NoteWindow::on_isShowAction_triggered()
{
    isShowSwitch.toggle();
}

void NoteWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    // The dashboard hands the user on again after its password and profile
    // dialogs; only the first hand-over sets the starting condition, so the
    // window's working condition stays.
    const bool first = this->user == nullptr;
    keepUser(user);
    if (first)
        loader.setCondition(grade < 5 ? ownerCondition() : QString());
    setWindowTitle(QStringLiteral("笔记管理"));

    exportHeaders = {QStringLiteral("笔记类型"), QStringLiteral("是否展示"), QStringLiteral("优先级"),
                     QStringLiteral("笔记主题"), QStringLiteral("笔记内容"), QStringLiteral("访问的地址"),
                     QStringLiteral("添加日期"), QStringLiteral("修改日期"), QStringLiteral("提醒开关"),
                     QStringLiteral("提醒方式"), QStringLiteral("提醒主体"), QStringLiteral("提醒频率"),
                     QStringLiteral("提醒日期"), QStringLiteral("前置天数"), QStringLiteral("图片"),
                     QStringLiteral("声音"), QStringLiteral("附件"), QStringLiteral("备注")};
    exportKeys = {QStringLiteral("mold"),          QStringLiteral("isShow"),
                  QStringLiteral("grade"),         QStringLiteral("title"),
                  QStringLiteral("content"),       QStringLiteral("address"),
                  QStringLiteral("registerDate"),  QStringLiteral("updateDate"),
                  QStringLiteral("isRemind"),      QStringLiteral("remindMethod"),
                  QStringLiteral("remindMethodBody"), QStringLiteral("remindFrequency"),
                  QStringLiteral("remindDate"),    QStringLiteral("remindDateNumber"),
                  QStringLiteral("image"),         QStringLiteral("volume"),
                  QStringLiteral("attachedFile"),  QStringLiteral("comment")};
    if (grade >= 5) {
        exportHeaders.append(QStringLiteral("用户名"));
        exportKeys.append(QStringLiteral("loginName"));
    }
}

void NoteWindow::receiveDomainUi(DomainUi &domainUi)
{
    const QString owner = grade < 5 ? ownerCondition() : QString();
    loader.select(owner + domainUi.getConditionStr(), domainUi.getPageSize(), domainUi.getCurPage());
}

void NoteWindow::receiveSignal()
{
    // Below grade 5 the user is asked about the shown notes whose reminder is due.
    std::optional<TableLoader::Due> due;
    if (grade < 5)
        due = TableLoader::Due{defaultFilter() + QStringLiteral(" and isRemind = '开启'"),
                               QStringLiteral("处理提醒提示"), QStringLiteral(" 条笔记需要处理"),
                               QStringLiteral("查看处理笔记: 选择<查看>，不查看: 选择<不查看>")};
    loader.open(defaultFilter(), due);
}
