#!/usr/bin/env python3
"""Writes dashboard/summarywindow.ui, the designer form of the dashboard.

The form is large and regular: six group boxes of count rows or count cells.
It is described here as tables and written out as designer XML; run this
script after changing a table and commit both files. The build uses the
committed .ui and never runs this script.

    python3 dashboard/tools/gen_summarywindow_ui.py
"""
import os
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, '..', 'summarywindow.ui')

# --- tables -----------------------------------------------------------------

# object, text, tool tip, icon
ACTIONS = [
    ('updatePswAction', '修改密码', '修改用户密码', 'password.png'),
    ('userManagerAction', '用户管理', '管理用户', 'userManager.png'),
    ('actionaboutAction', '声明', '关于软件使用及开发说明', 'explain.png'),
    ('instructionsAction', '软件使用说明', '关于软件的使用说明', 'instructions.png'),
    ('userUpateAction', '修改用户信息', '修改用户注册信息', 'name.png'),
    ('messageAction', '消息管理', '消息管理器', 'message3.png'),
    ('QuitAction', '退出', '退出程序', 'quit.png'),
    ('remindAction', '提醒管理', '提醒管理', 'remind.png'),
    ('noteAction', '进入笔记管理', '生活管理', 'note1.png'),
    ('accounAction', '账号管理', '账号管理', 'password (2).png'),
    ('workAction', '工作计划管理', '工作周报管理', 'report.png'),
    ('updateSummaryAction', '更新汇总', '更新汇总信息', 'update1.png'),
    ('musicAction', '音乐', '音乐', 'music_on.png'),
]

TOOLBAR = ['remindAction', 'noteAction', 'workAction', 'userManagerAction',
           'updateSummaryAction', 'musicAction', 'QuitAction']

MENUS = [
    ('menu', '文件', ['QuitAction']),
    ('menu_2', '用户', ['accounAction', 'remindAction', 'noteAction', 'workAction',
                       'userManagerAction', 'messageAction', 'updatePswAction', 'userUpateAction']),
    ('menu_3', '关于', ['actionaboutAction', 'instructionsAction']),
]

# List groups: group, title, inner grid, top spacer label, module button, its text, its icon,
# rows of (caption label, caption, key, initial text)
LIST_GROUPS = {
    'account': ('groupBox_account', '账号汇总', 'gridLayout', 'label_25',
                'pushButton_account', '进入账号管理', 'password (2).png', [
                    ('label_21', '总账户数量:', 'accountTotal', '0个'),
                    ('label_24', '近1个月建立的账户:', 'account1Month', '0个'),
                    ('label_22', '近1-6个月建立的账户:', 'account6Month', '0个'),
                    ('label_19', '近7-12个月建立的账户:', 'account12Month', '0个'),
                    ('label_23', '近1年-2年建立的账户:', 'account2Year', '0个'),
                    ('label_20', '近3年-5年建立的账户:', 'account5Year', '0个'),
                    ('label_18', '5年前建立的账户:', 'account6Year', '0个'),
                ]),
    'remind': ('groupBox_remind', '提醒事件汇总', 'gridLayout_2', 'label_17',
               'pushButton_remind', '进入提醒管理', 'remind.png', [
                   ('label_15', '总提醒事件:', 'remindTotal', '0件'),
                   ('label_2', '过期提醒事件:', 'remindExpired', '0件'),
                   ('label_5', '今天提醒事件:', 'remindToday', '0件'),
                   ('label_6', '7天内提醒事件:', 'remind7Day', '0件'),
                   ('label_7', '8-15天内提醒事件:', 'remind15Day', '0件'),
                   ('label_8', '16-30天内提醒事件:', 'remind30Day', '0件'),
                   ('label_16', '30天以上提醒事件:', 'remind30OverDay', '0件'),
               ]),
    'user': ('groupBox_user', '用户管理汇总', 'gridLayout_5', 'label_28',
             'pushButton_user', '进入用户管理', 'userManager.png', [
                 ('label_27', '总用户数量:', 'userTotal', '0个'),
                 ('label_13', '今天注册用户数量:', 'userToday', '0个'),
                 ('label_11', '7天内注册用户数量:', 'user7Day', '0个'),
                 ('label_9', '近1个月注册用户数量:', 'user1Month', '0个'),
                 ('label_12', '近6个月注册用户数量', 'user6Month', '0个'),
                 ('label_10', '近1年注册用户数量', 'user1Year', '0个'),
                 ('label_26', '近30天登录用户数量:', 'userLogin30', '0个'),
             ]),
    'message': ('groupBox_message', '信息管理汇总', 'gridLayout_6', 'label_35',
                'pushButton_message', '进入信息管理', 'message1.png', [
                    ('label_34', '总信息展示数量:', 'messageTotal', '0个'),
                    ('label_14', 'windows信息展示:', 'messageWindows', '0个'),
                    ('label_30', '安卓信息数量展示:', 'messageAndroid', '0个'),
                    ('label_31', 'web移动端信息展示:', 'messageWebMobile', '0个'),
                    ('label_32', 'web桌面端信息展示', 'messageWebDesk', '0个'),
                    ('label_33', 'remind提醒展示', 'messageRemind', '0个'),
                    ('label_29', 'about展示展示:', 'messageAbout', '0个'),
                ]),
}

# Cell groups: group, title, inner grid, image frame, module button, its text, its icon,
# image cell (caption, key), then lines of (category, [(caption, key, caption width)] * 2).
# A key is the count label's name without "label_"; the view button is named
# "pushButton_" + key unless the cell gives its own button name.
GREEN = 'color: rgb(0, 85, 0);\nfont: 10pt "Microsoft YaHei UI";'
RED = 'color: rgb(255, 35, 6);\nfont: 10pt "Microsoft YaHei UI";'
CELL_GROUPS = {
    'work': ('groupBox_work', '工作计划汇总', 'gridLayout_4', 'frame_45',
             'pushButton_workPlan', '进入工作计划管理', 'note1.png',
             ('图片', 'workPlanImage'), [
                 ('计划:', GREEN, [('总数', 'workPlanTotal', 25), ('年', 'yearPlan', 25)]),
                 ('计划:', GREEN, [('季度', 'quarterPlan', 25), ('月', 'monthPlan', 25)]),
                 ('计划:', GREEN, [('周', 'weekPlan', 25), ('日', 'dayPlan', 25)]),
                 ('计划:', GREEN, [('其它', 'otherPlan', 25), ('完成', 'completePlan', 25)]),
                 ('提醒:', RED, [('过期', 'workPlanExpired', 25), ('今日', 'workPlanToday', 25)]),
                 ('提醒:', RED, [('7日', 'workPlan7Day', 25), ('8/15日', 'workPlan15Day', 40)]),
                 ('提醒:', RED, [('16/30日', 'workPlan30Day', 47), ('30日↑ ', 'workPlan30OverDay', 42)]),
             ]),
    'life': ('groupBox_life', '日常笔记汇总', 'gridLayout_3', 'frame_15',
             'pushButton_note', '进入笔记管理', 'report.png',
             ('图片', 'noteImage'), [
                 ('笔记:', GREEN, [('总数', 'noteTotal', 25), ('指导', 'noteGuide', 25)]),
                 ('笔记:', GREEN, [('学习', 'noteStudy', 25), ('工作', 'noteWork', 25)]),
                 ('笔记:', GREEN, [('读书', 'noteReadbook', 25), ('有感', 'noteSense', 25)]),
                 ('笔记:', GREEN, [('日常', 'notelift', 25), ('其它', 'noteOther', 25)]),
                 ('笔记:', GREEN, [('有声', 'noteVolume', 25), ('附件', 'noteAttachedFile', 25)]),
                 ('提醒:', RED, [('过期', 'noteExpired', 25), ('今日', 'noteToday', 25)]),
                 ('提醒:', RED, [('7日', 'note7Day', 25), ('8/15日', 'note15Day', 40)]),
                 ('提醒:', RED, [('16/30日', 'note30Day', 47), ('30日↑ ', 'note30OverDay', 42)]),
             ]),
}
# The one count whose view button does not share its label's key.
BUTTON_OF = {'note30OverDay': 'pushButton_30OverDay'}

STYLE = '''#centralwidget{
background-color: qlineargradient(spread:pad, x1:0, y1:0.00568182, x2:1, y2:1, stop:0 rgba(227, 225, 231, 255), stop:1 rgba(255, 255, 255, 255));
}
QPushButton{
color: rgb(0, 0, 0);
background-color: rgb(255, 239, 226);
border:2px outset rgb(255, 255, 255);
border-radius:8px;
font: 11pt "Microsoft YaHei UI";
}
QPushButton:hover{
background-color: rgba(165, 205, 255,80%);
border:2px outset rgba(36, 36, 36,0);
}
QPushButton:pressed{
background-color: rgba(165, 205, 255,90%);
border:4px outset rgba(36, 36, 36,0);
}
QToolBar,QStatusBar{
background-image: url(:/images/background.jpg);
background-position: center;
}
QGroupBox{
border-color: rgb(238, 173, 14);
border-width: 1px;
border-style: solid;
margin-top: .5ex;
font: bold 20px "微软雅黑";
}
QGroupBox::title{
subcontrol-origin: margin;
subcontrol-position: top left;
left: 5px;
top: 0px;
margin-left: 2px;
padding: 5px;
color: rgb(25, 25, 112);
}
#groupBox_account{
background-color: qlineargradient(spread:pad, x1:0.423, y1:0.443182, x2:1, y2:1, stop:0 rgba(225, 252, 255, 255), stop:1 rgba(255, 255, 255, 255));
}
#groupBox_remind{
background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:1, y2:1, stop:0 rgba(253, 255, 187, 255), stop:1 rgba(255, 255, 255, 255));
}
#groupBox_work{
background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:1, y2:1, stop:0 rgba(241, 255, 197, 255), stop:1 rgba(255, 255, 255, 255));
}
#groupBox_life{
background-color: qlineargradient(spread:pad, x1:0.423, y1:0.443182, x2:1, y2:1, stop:0 rgba(225, 252, 255, 255), stop:1 rgba(255, 255, 255, 255));
}'''

GROUP_STYLE = {
    'groupBox_account': '',
    'groupBox_user': '#groupBox_user{\nbackground-image: url(:/images/background1.jpg);\n}',
    'groupBox_message': '#groupBox_message{\nbackground-image: url(:/images/background1.jpg);\n}',
}

# --- names of the objects that no code refers to ----------------------------

TAKEN = set()


def reserve_tables():
    for a in ACTIONS:
        TAKEN.add(a[0])
    for g in LIST_GROUPS.values():
        TAKEN.update([g[0], g[2], g[3], g[4]])
        for cap, _t, _k, _i in g[7]:
            TAKEN.add(cap)
    for g in CELL_GROUPS.values():
        TAKEN.update([g[0], g[2], g[3], g[4]])
    TAKEN.update(['centralwidget', 'gridLayout_7', 'horizontalLayout_15', 'formLayout',
                  'verticalLayout', 'toolBar', 'menubar', 'menu', 'menu_2', 'menu_3', 'statusbar'])


COUNTERS = {}


def fresh(stem, start):
    n = COUNTERS.get(stem, start)
    while '%s_%d' % (stem, n) in TAKEN:
        n += 1
    COUNTERS[stem] = n + 1
    name = '%s_%d' % (stem, n)
    TAKEN.add(name)
    return name


# --- XML building blocks --------------------------------------------------------------

def string(value, notr=False):
    extra = ' notr="true"' if notr else ''
    return '<string%s>%s</string>' % (extra, escape(value))


def prop(name, inner):
    return '<property name="%s">%s</property>' % (name, inner)


def size(w, h):
    return '<size><width>%d</width><height>%d</height></size>' % (w, h)


def icon(image):
    path = ':/images/' + image
    return '<iconset><normaloff>%s</normaloff>%s</iconset>' % (escape(path), escape(path))


ALIGN_RIGHT = prop('alignment', '<set>Qt::AlignRight|Qt::AlignTrailing|Qt::AlignVCenter</set>')


def widget(cls, name, props, body=''):
    return '<widget class="%s" name="%s">%s%s</widget>' % (cls, name, ''.join(props), body)


def layout(cls, name, props, items):
    return '<layout class="%s" name="%s">%s%s</layout>' % (cls, name, ''.join(props), ''.join(items))


def item(content, row=None, column=None, rowspan=None, colspan=None):
    attrs = ''
    if row is not None:
        attrs += ' row="%d" column="%d"' % (row, column)
    if rowspan is not None:
        attrs += ' rowspan="%d" colspan="%d"' % (rowspan, colspan)
    return '<item%s>%s</item>' % (attrs, content)


def hspacer(w, h):
    return ('<spacer name="%s">' % fresh('horizontalSpacer', 1)
            + prop('orientation', '<enum>Qt::Horizontal</enum>')
            + prop('sizeType', '<enum>QSizePolicy::Expanding</enum>')
            + prop('sizeHint', '<size><width>%d</width><height>%d</height></size>' % (w, h))
            + '</spacer>')


def vspacer(w, h):
    return ('<spacer name="%s">' % fresh('verticalSpacer', 1)
            + prop('orientation', '<enum>Qt::Vertical</enum>')
            + prop('sizeType', '<enum>QSizePolicy::Expanding</enum>')
            + prop('sizeHint', '<size><width>%d</width><height>%d</height></size>' % (w, h))
            + '</spacer>')


def margins(l, t, r, b):
    return [prop('leftMargin', '<number>%d</number>' % l), prop('topMargin', '<number>%d</number>' % t),
            prop('rightMargin', '<number>%d</number>' % r), prop('bottomMargin', '<number>%d</number>' % b)]


def count_label(key, initial):
    return widget('QLabel', 'label_' + key,
                  [prop('styleSheet', string('color: rgb(0, 0, 255);', notr=True)), prop('text', string(initial))])


def view_button(key):
    return widget('QPushButton', BUTTON_OF.get(key, 'pushButton_' + key),
                  [prop('maximumSize', size(50, 16777215)), prop('text', string('查看'))])


def module_button(name, text, image):
    return widget('QPushButton', name, [prop('text', string(text)), prop('icon', icon(image))])


def group_box(name, title, grid):
    props = [prop('sizePolicy', '<sizepolicy hsizetype="Preferred" vsizetype="Fixed">'
                                '<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy>'),
             prop('minimumSize', size(300, 280)), prop('maximumSize', size(300, 280))]
    if name in GROUP_STYLE:
        props.append(prop('styleSheet', string(GROUP_STYLE[name], notr=True)))
    props.append(prop('title', string(title)))
    return widget('QGroupBox', name, props, grid)


def count_row(caption_name, caption, key, initial):
    caption_label = widget('QLabel', caption_name,
                           [prop('minimumSize', size(130, 0)), prop('maximumSize', size(130, 16777215)),
                            prop('text', string(caption)), ALIGN_RIGHT])
    return layout('QHBoxLayout', fresh('horizontalLayout', 16), [],
                  [item(caption_label), item(count_label(key, initial)), item(hspacer(40, 20)),
                   item(view_button(key))])


def list_group(g):
    name, title, grid, top, button, button_text, image, rows = g
    top_label = widget('QLabel', top, [prop('minimumSize', size(0, 15)), prop('maximumSize', size(16777215, 15)),
                                       prop('text', string(''))])
    items = [item(top_label, 0, 1)]
    if name == 'groupBox_message':
        inner = layout('QVBoxLayout', fresh('verticalLayout', 2), [prop('spacing', '<number>6</number>')],
                       [item(count_row(*r)) for r in rows])
        items.append(item(inner, 1, 0, 1, 2))
        last = 2
    else:
        for i, r in enumerate(rows):
            items.append(item(count_row(*r), i + 1, 0, 1, 2))
        last = 8
    items.append(item(hspacer(91, 20), last, 0))
    items.append(item(module_button(button, button_text, image), last, 1))
    return group_box(name, title, layout('QGridLayout', grid, [], items))


def frame(name, props, content):
    return widget('QFrame', name, [prop('frameShape', '<enum>QFrame::StyledPanel</enum>'),
                                   prop('frameShadow', '<enum>QFrame::Raised</enum>')] + props, content)


def count_cell(caption, key, width):
    caption_label = widget('QLabel', fresh('label', 100),
                           [prop('minimumSize', size(width, 0)), prop('text', string(caption)), ALIGN_RIGHT])
    inner = layout('QHBoxLayout', fresh('horizontalLayout', 16), [prop('spacing', '<number>0</number>')] + margins(0, 0, 0, 0),
                   [item(caption_label), item(count_label(key, '0条')), item(hspacer(40, 20)), item(view_button(key))])
    return frame(fresh('frame', 1), [prop('minimumSize', size(121, 0)), prop('maximumSize', size(121, 16777215))], inner)


def image_cell(frame_name, caption, key):
    caption_label = widget('QLabel', fresh('label', 100),
                           [prop('minimumSize', size(25, 0)), prop('text', string(caption)), ALIGN_RIGHT])
    inner = layout('QHBoxLayout', fresh('horizontalLayout', 16), [prop('spacing', '<number>6</number>')] + margins(0, 0, 0, 0),
                   [item(hspacer(40, 20)), item(caption_label), item(count_label(key, '0条')), item(view_button(key))])
    return frame(frame_name, [prop('minimumSize', size(121, 22)), prop('maximumSize', size(150, 16777215))], inner)


def cell_line(category, style, cells):
    caption = widget('QLabel', fresh('label', 100),
                     [prop('minimumSize', size(30, 0)), prop('styleSheet', string(style, notr=True)),
                      prop('text', string(category)), ALIGN_RIGHT])
    # Three pixels between caption and cells: with six the line is wider than its group.
    return layout('QHBoxLayout', fresh('horizontalLayout', 16), [prop('spacing', '<number>3</number>')],
                  [item(caption)] + [item(count_cell(*c)) for c in cells])


def cell_group(g):
    name, title, grid, frame_name, button, button_text, image, (img_caption, img_key), lines = g
    items = []
    if name == 'groupBox_work':
        items.append(item(image_cell(frame_name, img_caption, img_key), 0, 1, 1, 2))
        for i, line in enumerate(lines):
            items.append(item(cell_line(*line), i + 1, 0, 1, 3))
        items.append(item(hspacer(91, 20), 8, 0))
        items.append(item(module_button(button, button_text, image), 8, 2))
    else:
        items.append(item(hspacer(134, 20), 0, 0))
        items.append(item(image_cell(frame_name, img_caption, img_key), 0, 1))
        inner = layout('QVBoxLayout', fresh('verticalLayout', 2), [prop('spacing', '<number>6</number>')],
                       [item(cell_line(*line)) for line in lines])
        items.append(item(inner, 1, 0, 1, 2))
        bottom = layout('QHBoxLayout', fresh('horizontalLayout', 16), [prop('spacing', '<number>0</number>')],
                        [item(hspacer(91, 20)), item(module_button(button, button_text, image))])
        items.append(item(bottom, 2, 0, 1, 2))
    return group_box(name, title, layout('QGridLayout', grid, [], items))


def tool_bar():
    props = [prop('enabled', '<bool>true</bool>'),
             prop('sizePolicy', '<sizepolicy hsizetype="Expanding" vsizetype="Fixed">'
                                '<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy>'),
             prop('layoutDirection', '<enum>Qt::LeftToRight</enum>'),
             prop('autoFillBackground', '<bool>false</bool>'),
             prop('styleSheet', string('', notr=True)),
             prop('allowedAreas', '<set>Qt::AllToolBarAreas</set>'),
             prop('orientation', '<enum>Qt::Horizontal</enum>'),
             prop('toolButtonStyle', '<enum>Qt::ToolButtonTextBesideIcon</enum>')]
    return widget('QToolBar', 'toolBar', props, ''.join('<addaction name="%s"/>' % a for a in TOOLBAR))


def central():
    form = layout('QFormLayout', 'formLayout', [prop('horizontalSpacing', '<number>20</number>')], [
        item(list_group(LIST_GROUPS['account']), 0, 0),
        item(list_group(LIST_GROUPS['remind']), 0, 1),
        item(cell_group(CELL_GROUPS['work']), 1, 0),
        item(cell_group(CELL_GROUPS['life']), 1, 1),
    ])
    column = layout('QVBoxLayout', 'verticalLayout', [prop('leftMargin', '<number>30</number>')], [
        item(list_group(LIST_GROUPS['user'])),
        item(list_group(LIST_GROUPS['message'])),
    ])
    middle = layout('QHBoxLayout', 'horizontalLayout_15', [], [item(form), item(column)])
    grid = layout('QGridLayout', 'gridLayout_7', margins(0, 0, 0, 6), [
        item(tool_bar(), 0, 0, 1, 3),
        item(vspacer(20, 25), 1, 1),
        item(hspacer(23, 20), 2, 0),
        item(middle, 2, 1),
        item(hspacer(23, 20), 2, 2),
        item(vspacer(20, 5), 3, 1),
    ])
    return widget('QWidget', 'centralwidget', [prop('styleSheet', string('', notr=True))], grid)


def menu_bar():
    menus = ''.join(
        widget('QMenu', name, [prop('title', string(title))], ''.join('<addaction name="%s"/>' % a for a in actions))
        for name, title, actions in MENUS)
    return widget('QMenuBar', 'menubar',
                  [prop('geometry', '<rect><x>0</x><y>0</y><width>1000</width><height>22</height></rect>')],
                  menus + ''.join('<addaction name="%s"/>' % m[0] for m in MENUS))


def action(name, text, tip, image):
    return ('<action name="%s">' % name + prop('icon', icon(image)) + prop('text', string(text))
            + prop('toolTip', string(tip)) + '</action>')


def document():
    reserve_tables()
    body = (prop('geometry', '<rect><x>0</x><y>0</y><width>1000</width><height>700</height></rect>')
            + prop('windowTitle', string('MainWindow'))
            + prop('windowIcon', icon('doctorLog.png'))
            + prop('styleSheet', string(STYLE, notr=True))
            + central() + menu_bar() + widget('QStatusBar', 'statusbar', [])
            + ''.join(action(*a) for a in ACTIONS))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">\n<class>SummaryWindow</class>\n'
            + widget('QMainWindow', 'SummaryWindow', [], body)
            + '\n<resources/>\n<connections/>\n</ui>\n')


def pretty(document_text):
    import xml.dom.minidom
    text = xml.dom.minidom.parseString(document_text.encode('utf-8')).toprettyxml(indent=' ', encoding='UTF-8').decode('utf-8')
    return '\n'.join(line for line in text.splitlines() if line.strip()) + '\n'


if __name__ == '__main__':
    with open(TARGET, 'w', encoding='utf-8') as f:
        f.write(pretty(document()))
