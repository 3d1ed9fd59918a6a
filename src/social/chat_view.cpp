#include "social/chat_view.h"

#include "social/qt_colour.h"
#include "social/smileys.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QHash>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>
#include <utility>
#include <vector>

namespace lastling::social {
namespace {

const QString kJumpScheme = QStringLiteral("jump");
const QColor kBackground(0xF9, 0xFA, 0xE7);
const QColor kWaitingGrey(0x80, 0x80, 0x80);
constexpr int kMargin = 5;

// Control characters and the line and paragraph separators would start new paragraphs or
// draw boxes, so they show as "?" and every model line stays exactly one paragraph.
// Bidi embeddings, overrides and isolates go: a line from a host that let them through
// must not draw its text, or what follows it, in an order its sender forced on it.
QString displayText(const std::string& utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.removeIf([](QChar c) {
        const auto code = c.unicode();
        return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    });
    for (QChar& c : text) {
        const auto code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029) {
            c = QLatin1Char('?');
        }
    }
    return text;
}

// Qt falls back character by character in the desktop's order of fonts, which may find a
// plain symbol font before the colour emoji one. Naming the emoji font right behind the
// font a style asks for (as the desktop resolves it) draws emoji in colour; where it is not
// installed, the fallback is as before.
QStringList familiesWithEmoji(const QString& family) {
    static QHash<QString, QStringList> resolved;
    auto found = resolved.find(family);
    if (found == resolved.end()) {
        QFont asked;
        asked.setFamilies({family});
        found = resolved.insert(family,
                                {QFontInfo(asked).family(), QStringLiteral("Noto Color Emoji")});
    }
    return *found;
}

QString jumpHref(int jump) {
    return kJumpScheme + QLatin1Char(':') + QString::number(jump);
}

int jumpOf(const QString& href) {
    if (!href.startsWith(kJumpScheme + QLatin1Char(':'))) {
        return -1;
    }
    bool ok = false;
    const int jump = href.mid(kJumpScheme.size() + 1).toInt(&ok);
    return ok ? jump : -1;
}

bool isSmiley(const QTextFormat& format) {
    return format.objectType() == SmileyObject::kObjectType;
}

} // namespace

QSizeF SmileyObject::intrinsicSize(QTextDocument*, int, const QTextFormat&) {
    return QSizeF(kSmileyWidth, kSmileyHeight);
}

void SmileyObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                              const QTextFormat& format) {
    painter->drawImage(rect, smileyPicture(format.intProperty(kIndexProperty)));
}

ChatView::ChatView(ChatModel& model, QWidget* parent) : QPlainTextEdit(parent), m_model(model) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only: no text caret. Selecting is by mouse; copying and paging by the keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setMouseTracking(true);
    document()->setDocumentMargin(kMargin);
    document()->documentLayout()->registerHandler(SmileyObject::kObjectType,
                                                  new SmileyObject(this));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    setPalette(colours);

    connect(&m_model, &ChatModel::lineAdded, this, &ChatView::appendLine);
    connect(&m_model, &ChatModel::oldestLinesRemoved, this, &ChatView::removeOldestLines);
    connect(&m_model, &ChatModel::cleared, this, [this] {
        document()->clear();
        m_waitingBlocks = 0;
        showWaiting();
    });
    connect(&m_model, &ChatModel::waitingChanged, this, [this] {
        removeWaiting();
        showWaiting();
        if (!m_scrollOff) {
            scrollToEnd();
        }
    });
    connect(&m_model, &ChatModel::stylesChanged, this, &ChatView::restyle);
    for (const auto& line : m_model.lines()) {
        appendLine(line);
    }
}

QTextCharFormat ChatView::look(int style) const {
    const TextStyle& s = m_model.styles()[static_cast<std::size_t>(style)];
    QTextCharFormat format;
    format.setFontFamilies(familiesWithEmoji(QString::fromStdString(s.font)));
    format.setFontPointSize(s.pointSize);
    format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(s.italic);
    format.setFontUnderline(s.underline);
    format.setForeground(toQColor(s.colour, palette()));
    return format;
}

QTextCharFormat ChatView::runFormat(const ChatRun& run) const {
    QTextCharFormat format = look(run.style);
    format.setProperty(kStyleProperty, run.style);
    if (run.kind == ChatRun::Kind::Link) {
        format.setAnchor(true);
        format.setAnchorHref(jumpHref(run.jump));
    }
    return format;
}

// A new line goes above the lines still waiting to go out.
void ChatView::appendLine(const ChatLine& line) {
    const bool waiting = m_waitingBlocks > 0;
    removeWaiting();
    insertLine(line);
    if (waiting) {
        showWaiting();
    }
    if (!m_scrollOff) {
        scrollToEnd();
    }
}

void ChatView::removeWaiting() {
    if (m_waitingBlocks == 0) {
        return;
    }
    const int first = document()->blockCount() - m_waitingBlocks;
    m_waitingBlocks = 0;
    const QTextBlock block = document()->findBlockByNumber(first);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(document());
    cursor.setPosition(first > 0 ? block.position() - 1 : 0); // with the break before it
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void ChatView::showWaiting() {
    for (const ChatLine& line : m_model.waiting()) {
        insertLine(line);
        ++m_waitingBlocks;
    }
}

void ChatView::insertLine(const ChatLine& line) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!document()->isEmpty()) {
        cursor.insertBlock();
    }
    for (const ChatRun& run : line.runs) {
        if (run.kind == ChatRun::Kind::Smiley) {
            QTextCharFormat picture;
            picture.setObjectType(SmileyObject::kObjectType);
            picture.setProperty(SmileyObject::kIndexProperty, run.smiley);
            cursor.insertText(QString(QChar::ObjectReplacementCharacter), picture);
        } else if (line.waiting) {
            QTextCharFormat greyed = look(run.style);
            greyed.setForeground(kWaitingGrey);
            greyed.setFontItalic(true);
            cursor.insertText(displayText(run.text), greyed);
        } else {
            cursor.insertText(displayText(run.text), runFormat(run));
        }
    }
    cursor.endEditBlock();
}

void ChatView::removeOldestLines(int count) {
    QTextCursor cursor(document());
    const QTextBlock firstKept = document()->findBlockByNumber(count);
    if (firstKept.isValid()) {
        cursor.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
    } else {
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

void ChatView::restyle(unsigned styleMask) {
    // Ranges are gathered first: re-formatting may merge fragments under a live iterator.
    std::vector<std::pair<int, int>> ranges; // position, length
    std::vector<int> styles;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.hasProperty(kStyleProperty) || isSmiley(format)) {
                continue;
            }
            const int style = format.intProperty(kStyleProperty);
            if (style >= 0 && style < kStyleCount && (styleMask & (1u << style)) != 0) {
                ranges.emplace_back(it.fragment().position(), it.fragment().length());
                styles.push_back(style);
            }
        }
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        cursor.setPosition(ranges[i].first);
        cursor.setPosition(ranges[i].first + ranges[i].second, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(look(styles[i]));
    }
    cursor.endEditBlock();
}

void ChatView::scrollToEnd() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

int ChatView::jumpAt(const QPoint& viewportPoint) const {
    const QTextBlock block = cursorForPosition(viewportPoint).block();
    const QTextLayout* layout = block.isValid() ? block.layout() : nullptr;
    if (layout == nullptr) {
        return -1;
    }
    const QPointF inBlock =
        QPointF(viewportPoint) - contentOffset() - blockBoundingGeometry(block).topLeft();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (!line.naturalTextRect().contains(inBlock)) {
            continue;
        }
        QTextCursor under(document());
        under.setPosition(block.position() +
                          line.xToCursor(inBlock.x(), QTextLine::CursorOnCharacter) + 1);
        return jumpOf(under.charFormat().anchorHref());
    }
    return -1;
}

void ChatView::mousePressEvent(QMouseEvent* event) {
    m_pressedJump = event->button() == Qt::LeftButton ? jumpAt(event->position().toPoint()) : -1;
    QPlainTextEdit::mousePressEvent(event);
}

void ChatView::mouseMoveEvent(QMouseEvent* event) {
    viewport()->setCursor(jumpAt(event->position().toPoint()) >= 0 ? Qt::PointingHandCursor
                                                                   : Qt::IBeamCursor);
    QPlainTextEdit::mouseMoveEvent(event);
}

void ChatView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    // One click follows a link; a drag that selected text does not.
    const int jump = event->button() == Qt::LeftButton ? jumpAt(event->position().toPoint()) : -1;
    if (jump >= 0 && jump == m_pressedJump && !textCursor().hasSelection()) {
        emit linkActivated(jump);
    }
    m_pressedJump = -1;
}

QString ChatView::selectedPlainText() const {
    const QTextCursor selection = textCursor();
    if (!selection.hasSelection()) {
        return {};
    }
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    QString text;
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        if (block.position() > start) {
            text += QLatin1Char('\n');
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to) {
                continue;
            }
            if (isSmiley(fragment.charFormat())) {
                const int index = fragment.charFormat().intProperty(SmileyObject::kIndexProperty);
                text += QStringLiteral(":)#%1").arg(index + kFirstSmileyCode).repeated(to - from);
            } else {
                text += fragment.text().mid(from - fragment.position(), to - from);
            }
        }
    }
    return text;
}

QRect ChatView::linkRect(int jump) const {
    const QString href = jumpHref(jump);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) {
                continue;
            }
            QTextCursor from(document());
            from.setPosition(fragment.position());
            QTextCursor to(document());
            to.setPosition(fragment.position() + std::min(fragment.length(), 3));
            return cursorRect(from).united(cursorRect(to));
        }
    }
    return {};
}

QMimeData* ChatView::createMimeDataFromSelection() const {
    auto data = std::make_unique<QMimeData>();
    data->setText(selectedPlainText());
    return data.release(); // the caller owns it
}

} // namespace lastling::social
