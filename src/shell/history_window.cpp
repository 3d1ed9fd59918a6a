#include "shell/history_window.h"

#include "history/game_export.h"
#include "history/history_store.h"
#include "shell/replay_board.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

namespace lastling::shell {

namespace {

QString tableText(const history::GameHeader& game) {
    switch (game.role) {
    case history::Role::Solo:
        return QStringLiteral("Solo");
    case history::Role::Hosting:
        return QStringLiteral("Hosted here");
    case history::Role::Joined:
    case history::Role::Watching:
        return QString::fromStdString(game.table);
    }
    return {};
}

QString resultText(const history::GameHeader& game) {
    if (game.role == history::Role::Watching) {
        return QStringLiteral("Watched");
    }
    if (game.winnerSeat == 0) {
        return QStringLiteral("Not finished");
    }
    if (game.winnerSeat == game.mySeat) {
        return QStringLiteral("Won");
    }
    return QStringLiteral("Lost to %1").arg(QString::fromStdString(game.winnerName));
}

} // namespace

// The kept games as the list shows them; a row's texts are made when the view asks for them,
// so ten thousand games fill the list at once.
class HistoryListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setGames(std::vector<history::GameHeader> games) {
        beginResetModel();
        m_games = std::move(games);
        endResetModel();
    }
    std::int64_t idAt(int row) const {
        return row >= 0 && row < rowCount() ? m_games[static_cast<std::size_t>(row)].id : 0;
    }
    int rowOf(std::int64_t id) const {
        for (int row = 0; row < rowCount(); ++row) {
            if (m_games[static_cast<std::size_t>(row)].id == id) {
                return row;
            }
        }
        return -1;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_games.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return historyRow(m_games[static_cast<std::size_t>(index.row())]).value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const QStringList titles = {QStringLiteral("Date"), QStringLiteral("Table"),
                                           QStringLiteral("Opponents"), QStringLiteral("Result")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return titles.value(section);
        }
        return {};
    }

private:
    std::vector<history::GameHeader> m_games;
};

QStringList historyRow(const history::GameHeader& game) {
    QStringList opponents;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != game.mySeat) {
            opponents << QString::fromStdString(game.names[static_cast<std::size_t>(seat)]);
        }
    }
    return {
        QDateTime::fromMSecsSinceEpoch(game.startedMs).toString(QStringLiteral("yyyy-MM-dd HH:mm")),
        tableText(game), opponents.join(QStringLiteral(", ")), resultText(game)};
}

HistoryWindow::HistoryWindow(history::HistoryStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store) {
    setObjectName(QStringLiteral("game_history"));
    setWindowTitle(QStringLiteral("Game History"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);
    buildList();
    left->addWidget(m_filter);
    left->addWidget(m_list);
    auto* exports = new QHBoxLayout;
    exports->addWidget(m_exportText);
    exports->addWidget(m_exportJson);
    left->addLayout(exports);
    buildReplay();
    right->addWidget(m_board, 1);
    right->addWidget(m_line);
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_rounds);
    controls->addStretch();
    controls->addWidget(m_playAgain);
    right->addLayout(controls);
    resize(1100, 560);
    refresh();
}

void HistoryWindow::buildList() {
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("history_filter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter by opponent"));
    m_filter->setAccessibleName(QStringLiteral("Filter by opponent"));
    connect(m_filter, &QLineEdit::textChanged, this, &HistoryWindow::refresh);

    m_model = new HistoryListModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("history_list"));
    m_list->setAccessibleName(QStringLiteral("Kept games"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    connect(m_list, &QTableView::activated, this, [this] { openChosen(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateControls(); });

    m_exportText = new QPushButton(QStringLiteral("Export as &Text..."), this);
    m_exportJson = new QPushButton(QStringLiteral("Export as &JSON..."), this);
    connect(m_exportText, &QPushButton::clicked, this, [this] { exportChosen(Format::Text); });
    connect(m_exportJson, &QPushButton::clicked, this, [this] { exportChosen(Format::Json); });
}

void HistoryWindow::buildReplay() {
    m_board = new ReplayBoard(this);
    m_line = new QLabel(this);
    m_line->setObjectName(QStringLiteral("replay_line"));
    m_rounds = new QComboBox(this);
    m_rounds->setObjectName(QStringLiteral("replay_round"));
    m_rounds->setAccessibleName(QStringLiteral("Round"));
    m_playAgain = new QPushButton(QStringLiteral("&Play This Deal Again"), this);
    m_playAgain->setObjectName(QStringLiteral("play_again"));
    connect(m_rounds, &QComboBox::activated, this,
            [this](int index) { m_board->toRound(index + 1); });
    connect(m_playAgain, &QPushButton::clicked, this, &HistoryWindow::playAgain);
    connect(m_board, &ReplayBoard::stepped, this, [this] {
        const history::GameReplay* replay = m_board->replay();
        m_line->setText(QString::fromStdString(replay->table().line));
        m_rounds->setCurrentIndex(replay->table().round - 1);
        updateControls();
    });
    updateControls();
}

void HistoryWindow::refresh() {
    const std::int64_t chosen = m_model->idAt(m_list->currentIndex().row());
    m_model->setGames(m_store.games(m_filter->text().toStdString()));
    const int row = m_model->rowOf(chosen);
    if (row >= 0) {
        m_list->setCurrentIndex(m_model->index(row, 0));
    }
    updateControls();
}

bool HistoryWindow::openGame(std::int64_t id) {
    auto game = m_store.game(id);
    if (!game) {
        return false;
    }
    m_shown = id;
    m_rounds->clear();
    for (const history::RoundRecord& round : game->rounds) {
        m_rounds->addItem(QStringLiteral("Round %1").arg(round.number));
    }
    m_board->setGame(std::move(*game));
    m_board->setFocus();
    return true;
}

void HistoryWindow::openChosen() {
    const QModelIndex index = m_list->currentIndex();
    if (index.isValid()) {
        openGame(m_model->idAt(index.row()));
    }
}

void HistoryWindow::setPlayAgainAllowed(bool allowed) {
    m_playAgainAllowed = allowed;
    updateControls();
}

void HistoryWindow::updateControls() {
    const history::GameReplay* replay = m_board->replay();
    const bool dealShown = replay != nullptr &&
                           history::dealAgain(replay->record(), replay->table().round).has_value();
    m_playAgain->setEnabled(m_playAgainAllowed && dealShown);
    m_playAgain->setToolTip(m_playAgainAllowed ? QString()
                                               : QStringLiteral("Only at a solo table"));
    m_exportText->setEnabled(replay != nullptr);
    m_exportJson->setEnabled(replay != nullptr);
}

void HistoryWindow::playAgain() {
    const history::GameReplay* replay = m_board->replay();
    if (replay == nullptr) {
        return;
    }
    if (const auto again = history::dealAgain(replay->record(), replay->table().round)) {
        emit playAgainRequested(*again);
    }
}

bool HistoryWindow::exportTo(const QString& path, Format format) const {
    const history::GameReplay* replay = m_board->replay();
    if (replay == nullptr) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (format == Format::Text) {
        const std::string text = history::exportText(replay->record());
        file.write(text.data(), static_cast<qint64>(text.size()));
    } else {
        file.write(history::exportJson(replay->record()));
    }
    return file.commit();
}

void HistoryWindow::exportChosen(Format format) {
    const bool text = format == Format::Text;
    const QString path = QFileDialog::getSaveFileName(
        this, text ? QStringLiteral("Export as Text") : QStringLiteral("Export as JSON"),
        text ? QStringLiteral("lastling-game.txt") : QStringLiteral("lastling-game.json"),
        text ? QStringLiteral("Text (*.txt)") : QStringLiteral("JSON (*.json)"));
    if (!path.isEmpty()) {
        exportTo(path, format);
    }
}

} // namespace lastling::shell
