#include "ui/FindBar.h"

#include "ui/Naming.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace ui {

FindBar::FindBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("查找栏"));
    setAccessibleName(QStringLiteral("查找"));
    setAutoFillBackground(true);
    auto *rows = new QGridLayout(this);
    rows->setContentsMargins(6, 3, 6, 3);
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(3);

    auto *findLabel = new QLabel(QStringLiteral("查找："), this);
    m_query = new QLineEdit(this);
    nameControl(m_query, QStringLiteral("编辑框_查找内容"), QStringLiteral("查找内容"));
    m_query->setPlaceholderText(QStringLiteral("查找内容"));
    m_query->setToolTip(QStringLiteral("查找内容（Ctrl+F 查找，Ctrl+H 替换；Enter 或 F3 查找下一处，"
                                       "Shift+Enter 或 Shift+F3 查找上一处；Esc 关闭）"));
    findLabel->setBuddy(m_query);
    auto *previous = new QPushButton(QStringLiteral("上一处"), this);
    previous->setObjectName(QStringLiteral("按钮_上一处"));
    auto *next = new QPushButton(QStringLiteral("下一处"), this);
    next->setObjectName(QStringLiteral("按钮_下一处"));
    m_case = new QCheckBox(QStringLiteral("区分大小写"), this);
    m_case->setObjectName(QStringLiteral("选择框_区分大小写"));
    m_word = new QCheckBox(QStringLiteral("全字匹配"), this);
    m_word->setObjectName(QStringLiteral("选择框_全字匹配"));
    m_regex = new QCheckBox(QStringLiteral("正则表达式"), this);
    m_regex->setObjectName(QStringLiteral("选择框_正则表达式"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("标签_查找结果"));
    m_status->setMinimumWidth(160);
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("×"));
    nameControl(close, QStringLiteral("按钮_关闭查找"), QStringLiteral("关闭查找栏"));
    close->setToolTip(QStringLiteral("关闭查找栏（Esc）"));
    close->setAutoRaise(true);

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_query, 1);
    findRow->addWidget(previous);
    findRow->addWidget(next);
    findRow->addWidget(m_case);
    findRow->addWidget(m_word);
    findRow->addWidget(m_regex);
    findRow->addWidget(m_status);
    findRow->addWidget(close);
    rows->addWidget(findLabel, 0, 0);
    rows->addLayout(findRow, 0, 1);

    m_replaceRow = new QWidget(this);
    auto *replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    m_replaceLabel = new QLabel(QStringLiteral("替换为："), this);
    m_replacement = new QLineEdit(m_replaceRow);
    nameControl(m_replacement, QStringLiteral("编辑框_替换为"), QStringLiteral("替换为"));
    m_replacement->setPlaceholderText(QStringLiteral("替换为"));
    m_replaceLabel->setBuddy(m_replacement);
    auto *replace = new QPushButton(QStringLiteral("替换"), m_replaceRow);
    replace->setObjectName(QStringLiteral("按钮_替换"));
    auto *replaceAll = new QPushButton(QStringLiteral("全部替换"), m_replaceRow);
    replaceAll->setObjectName(QStringLiteral("按钮_全部替换"));
    replaceRow->addWidget(m_replacement, 1);
    replaceRow->addWidget(replace);
    replaceRow->addWidget(replaceAll);
    replaceRow->addStretch(1);
    rows->addWidget(m_replaceLabel, 1, 0);
    rows->addWidget(m_replaceRow, 1, 1);

    connect(m_query, &QLineEdit::textEdited, this, &FindBar::queryChanged);
    for (QCheckBox *option : {m_case, m_word, m_regex})
        connect(option, &QCheckBox::toggled, this, &FindBar::queryChanged);
    connect(previous, &QPushButton::clicked, this, [this] { emit findRequested(true); });
    connect(next, &QPushButton::clicked, this, [this] { emit findRequested(false); });
    connect(replace, &QPushButton::clicked, this, &FindBar::replaceRequested);
    connect(replaceAll, &QPushButton::clicked, this, &FindBar::replaceAllRequested);
    connect(close, &QToolButton::clicked, this, &FindBar::closeRequested);
    for (QWidget *field : {static_cast<QWidget *>(m_query), static_cast<QWidget *>(m_replacement)})
        field->installEventFilter(this);
    installEventFilter(this);
    hide();
}

void FindBar::open(bool replacing, const QString &text)
{
    m_replaceRow->setVisible(replacing);
    m_replaceLabel->setVisible(replacing);
    if (!text.isEmpty() && text != m_query->text()) {
        m_query->setText(text);
        emit queryChanged();
    }
    show();
    m_query->setFocus(Qt::ShortcutFocusReason);
    m_query->selectAll();
}

bool FindBar::replacing() const
{
    return m_replaceRow->isVisible();
}

QString FindBar::query() const
{
    return m_query->text();
}

QString FindBar::replacement() const
{
    return m_replacement->text();
}

text::FindOptions FindBar::options() const
{
    text::FindOptions o;
    o.caseSensitive = m_case->isChecked();
    o.wholeWord = m_word->isChecked();
    o.regularExpression = m_regex->isVisible() && m_regex->isChecked();
    return o;
}

void FindBar::setRegularExpressionsOffered(bool offered)
{
    m_regex->setVisible(offered);
}

void FindBar::setStatus(const QString &status)
{
    m_status->setText(status);
    m_status->setAccessibleName(status);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        emit closeRequested();
        return true;
    case Qt::Key_F3:
        emit findRequested(shift);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == m_replacement)
            emit replaceRequested();
        else if (watched == m_query)
            emit findRequested(shift);
        else
            return QWidget::eventFilter(watched, event);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace ui
