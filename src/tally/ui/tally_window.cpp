#include "tally/ui/tally_window.h"

#include "protocol/wire_text.h"
#include "tally/tally_chart.h"
#include "tally/ui/tally_bars.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lastling::tally {
namespace {

constexpr int kWidth = 475;
constexpr int kHeight = 347;

// Names come from the table in the form the wire carries them, and are kept so (wire_text.h).
QString latin1(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

// Each item keeps its name's bytes, so that a name reads back exactly as the file holds it,
// whatever its shown form.
constexpr int kNameRole = Qt::UserRole;

std::string nameOf(const QListWidgetItem* item) {
    return item->data(kNameRole).toByteArray().toStdString();
}

// Asks with a modal message box over the tally window; No is the default, so that a stray
// Enter deletes nothing.
class MessageBoxQuestion : public YesNoQuestion {
public:
    explicit MessageBoxQuestion(QWidget* parent) : m_parent(parent) {}
    bool ask(const std::string& text) override {
        return QMessageBox::question(m_parent, QStringLiteral("Lastling"), latin1(text),
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }

private:
    QWidget* m_parent;
};

QLabel* label(const QString& text, QWidget* parent, const QString& name = {}) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    return result;
}

QLabel* heading(const QString& text, QWidget* parent, const QString& name = {}) {
    QLabel* result = label(text, parent, name);
    QFont font = result->font();
    font.setBold(true);
    result->setFont(font);
    return result;
}

QFrame* panel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

QListWidget* checkList(const QString& name, const QString& caption, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(caption);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// Puts the entries in the list, replacing items only when the names changed, so that an item
// being clicked is never deleted under the click.
void fillChecks(QListWidget* list, const std::vector<CheckEntry>& entries) {
    bool sameNames = list->count() == static_cast<int>(entries.size());
    for (int row = 0; sameNames && row < list->count(); ++row) {
        sameNames = nameOf(list->item(row)) == entries[static_cast<std::size_t>(row)].name;
    }
    if (!sameNames) {
        list->clear();
        for (const auto& entry : entries) {
            auto* item = new QListWidgetItem(latin1(entry.name), list);
            item->setData(kNameRole, QByteArray::fromStdString(entry.name));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setCheckState(
            entries[static_cast<std::size_t>(row)].checked ? Qt::Checked : Qt::Unchecked);
    }
}

int indexOf(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

} // namespace

TallyWindow::TallyWindow(TallyKeeper& keeper, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_keeper(keeper), m_ownQuestion(std::make_unique<MessageBoxQuestion>(this)) {
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(QStringLiteral("Lastling - Tally List"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(buildOwnPanel());
    left->addWidget(buildOpponentPanel());
    left->addWidget(buildChart(), 1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->addLayout(left, 1);
    columns->addWidget(buildLists());

    setTabOrder(m_checklist, m_tallied);
    setTabOrder(m_tallied, m_reset);
    setTabOrder(m_reset, m_done);
    connect(&m_keeper, &TallyKeeper::changed, this, &TallyWindow::refresh);
    refresh();
}

TallyWindow::~TallyWindow() = default;

QWidget* TallyWindow::buildOwnPanel() {
    QFrame* frame = panel(this);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setVerticalSpacing(1);
    grid->addWidget(heading(QStringLiteral("Your Total Tally"), frame), 0, 0, 1, 2);
    const QString captions[] = {QStringLiteral("Total Games:"), QStringLiteral("Your Wins"),
                                QStringLiteral("Var3:"), QStringLiteral("Var4:")};
    for (int i = 0; i < 4; ++i) {
        QLabel* caption = label(captions[i], frame);
        m_own[static_cast<std::size_t>(i)] =
            label(QStringLiteral("0"), frame, QStringLiteral("mylabel_%1").arg(i + 1));
        grid->addWidget(caption, i + 1, 0);
        grid->addWidget(m_own[static_cast<std::size_t>(i)], i + 1, 1);
        if (i >= 2) { // two counters nothing ever increases
            caption->hide();
            m_own[static_cast<std::size_t>(i)]->hide();
        }
    }
    m_share = new ShareBar(frame);
    m_share->setObjectName(QStringLiteral("chart_share"));
    grid->addWidget(m_share, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* TallyWindow::buildOpponentPanel() {
    QFrame* frame = panel(this);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setVerticalSpacing(1);
    m_hisNameTop = heading({}, frame, QStringLiteral("label_hisnametop"));
    grid->addWidget(m_hisNameTop, 0, 0, 1, 3);
    grid->addWidget(heading(QStringLiteral("Total"), frame), 1, 1);
    grid->addWidget(heading(QStringLiteral("Session"), frame), 1, 2);
    m_hisName = label({}, frame, QStringLiteral("label_hisname"));
    QLabel* captions[] = {label(QStringLiteral("Number of Games"), frame), m_hisName,
                          label(QStringLiteral("Your Wins:"), frame),
                          label(QStringLiteral("Neither Won:"), frame)};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(captions[row], row + 2, 0);
        for (int session = 0; session < 2; ++session) {
            const int number = row + 1 + 4 * session;
            QLabel*& count = m_counts[static_cast<std::size_t>(number - 1)];
            count = label(QStringLiteral("0"), frame, QStringLiteral("label_%1").arg(number));
            grid->addWidget(count, row + 2, 1 + session);
        }
    }
    grid->setColumnStretch(0, 1);
    return frame;
}

QWidget* TallyWindow::buildChart() {
    QFrame* frame = panel(this);
    frame->setObjectName(QStringLiteral("chart_opponent"));
    auto* stack = new QVBoxLayout(frame);
    stack->setContentsMargins(4, 2, 4, 2);
    m_chartHint = label(QStringLiteral("Select a player being tallied to see your record."), frame);
    m_chartHint->setWordWrap(true);
    m_chartHint->setAlignment(Qt::AlignCenter);
    stack->addWidget(m_chartHint);
    m_chart = new QWidget(frame);
    auto* groups = new QHBoxLayout(m_chart);
    groups->setContentsMargins(0, 0, 0, 0);
    const QColor colours[] = {QColor(0xC0, 0x39, 0x2B), QColor(0x2E, 0x8B, 0x57),
                              QColor(0x80, 0x80, 0x80)};
    for (int group = 0; group < 2; ++group) {
        auto* column = new QGridLayout;
        column->setSpacing(0);
        m_groupTitles[static_cast<std::size_t>(group)] = heading({}, m_chart);
        column->addWidget(m_groupTitles[static_cast<std::size_t>(group)], 0, 0, 1, 3,
                          Qt::AlignHCenter);
        for (int bar = 0; bar < 3; ++bar) {
            auto* widget = new TallyBar(colours[bar], m_chart);
            widget->setObjectName(QStringLiteral("chart_bar_%1_%2").arg(group).arg(bar));
            m_bars[static_cast<std::size_t>(group * 3 + bar)] = widget;
            column->addWidget(widget, 1, bar);
        }
        groups->addLayout(column);
    }
    stack->addWidget(m_chart, 1);
    return frame;
}

QWidget* TallyWindow::buildLists() {
    auto* side = new QWidget(this);
    side->setFixedWidth(190);
    auto* stack = new QVBoxLayout(side);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    const QString atTable = QStringLiteral("Players In Current Game");
    const QString tallied = QStringLiteral("Players Being Tallied");
    m_checklist = checkList(QStringLiteral("checklist"), atTable, side);
    m_tallied = checkList(QStringLiteral("listbox_tally"), tallied, side);
    for (auto [caption, list] : {std::pair{atTable, m_checklist}, std::pair{tallied, m_tallied}}) {
        QLabel* title = heading(caption, side);
        title->setBuddy(list);
        stack->addWidget(title);
        stack->addWidget(list, 1);
    }
    m_reset = new QPushButton(QStringLiteral("Reset Tally"), side);
    m_reset->setObjectName(QStringLiteral("button_reset"));
    m_done = new QPushButton(QStringLiteral("Done"), side);
    m_done->setObjectName(QStringLiteral("button_done"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_reset);
    buttons->addWidget(m_done);
    stack->addLayout(buttons);

    connect(m_checklist, &QListWidget::itemChanged, this, &TallyWindow::checklistItemChanged);
    connect(m_tallied, &QListWidget::itemChanged, this, &TallyWindow::tallyItemChanged);
    connect(m_tallied, &QListWidget::currentRowChanged, this, &TallyWindow::tallyRowChanged);
    connect(m_reset, &QPushButton::clicked, this, &TallyWindow::resetClicked);
    connect(m_done, &QPushButton::clicked, this, &QDialog::hide);
    return side;
}

void TallyWindow::setQuestion(YesNoQuestion* question) {
    m_question = question;
}

YesNoQuestion& TallyWindow::question() {
    return m_question ? *m_question : *m_ownQuestion;
}

void TallyWindow::showCentredOn(const QWidget* owner) {
    if (owner) {
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void TallyWindow::refresh() {
    m_refreshing = true;
    for (int column = 1; column <= 4; ++column) {
        m_own[static_cast<std::size_t>(column - 1)]->setText(latin1(m_keeper.ownText(column)));
    }
    const OpponentPanel opponent = m_keeper.opponentPanel();
    m_hisNameTop->setText(latin1(opponent.heading));
    m_hisName->setText(latin1(opponent.winsCaption));
    for (std::size_t i = 0; i < m_counts.size(); ++i) {
        m_counts[i]->setText(latin1(opponent.counts[i]));
    }
    refreshLists();
    refreshChart();
    m_refreshing = false;
}

void TallyWindow::refreshLists() {
    fillChecks(m_checklist, m_keeper.checklist());
    std::vector<CheckEntry> tallied;
    for (const auto& name : m_keeper.tallied()) {
        tallied.push_back({name, true});
    }
    fillChecks(m_tallied, tallied);
    m_tallied->setCurrentRow(m_keeper.selected().value_or(-1));
}

void TallyWindow::refreshChart() {
    m_share->setShare(shareChart(m_keeper.table()));
    const auto selected = m_keeper.selected();
    m_chart->setVisible(selected.has_value());
    m_chartHint->setVisible(!selected);
    if (!selected) {
        return;
    }
    const OpponentChart chart = opponentChart(m_keeper.table(), *selected + 1);
    for (std::size_t group = 0; group < chart.groups.size(); ++group) {
        const ChartGroup& shown = chart.groups[group];
        m_groupTitles[group]->setText(latin1(shown.title) + QStringLiteral(": ") +
                                      QString::number(shown.games));
        for (std::size_t bar = 0; bar < shown.bars.size(); ++bar) {
            m_bars[group * 3 + bar]->setBar(shown.bars[bar]);
        }
    }
}

// The list's own click handling is still running: the keeper acts after it has returned.
void TallyWindow::checklistItemChanged(QListWidgetItem* item) {
    if (m_refreshing) {
        return;
    }
    const std::string name = nameOf(item);
    QMetaObject::invokeMethod(
        this,
        [this, name] {
            std::vector<std::string> names;
            for (const auto& entry : m_keeper.checklist()) {
                names.push_back(entry.name);
            }
            m_keeper.checklistClickCheck(indexOf(names, name));
        },
        Qt::QueuedConnection);
}

void TallyWindow::tallyItemChanged(QListWidgetItem* item) {
    if (m_refreshing) {
        return;
    }
    const std::string name = nameOf(item);
    const bool unchecked = item->checkState() == Qt::Unchecked;
    QMetaObject::invokeMethod(
        this,
        [this, name, unchecked] {
            const int index = indexOf(m_keeper.tallied(), name);
            if (unchecked && index >= 0) {
                m_keeper.listboxTallyUncheck(index, question());
            } else {
                refresh();
            }
        },
        Qt::QueuedConnection);
}

void TallyWindow::tallyRowChanged(int row) {
    if (!m_refreshing) {
        m_keeper.select(row >= 0 ? std::optional<int>(row) : std::nullopt);
    }
}

void TallyWindow::resetClicked() {
    m_keeper.resetTally(question());
}

} // namespace lastling::tally
