#include "social/chat_view.h"

#include "social/qt_colour.h"
#include "social/smileys.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <memory>
#include <utility>
#include <vector>

namespace lastling::social {
namespace {

const QString kJumpScheme = QStringLiteral("jump");
const QString kSmileyScheme = QStringLiteral("smiley");
const QColor kBackground(0xF9, 0xFA, 0xE7);
constexpr int kMargin = 5;

// Wire text is Latin-1. Control bytes would start new paragraphs or draw boxes, so they
// show as "?" and every model line stays exactly one paragraph.
QString displayText(const std::string& latin1) {
    QString text = QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
    for (QChar& c : text) {
        const auto code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            c = QLatin1Char('?');
        }
    }
    return text;
}

QString smileyName(int index) { return kSmileyScheme + QLatin1Char(':') + QString::number(index); }

} // namespace

ChatView::ChatView(ChatModel& model, QWidget* parent) : QTextBrowser(parent), m_model(model) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::TextSelectableByKeyboard);
    document()->setDocumentMargin(kMargin);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    setPalette(colours);

    connect(&m_model, &ChatModel::lineAdded, this, &ChatView::appendLine);
    connect(&m_model, &ChatModel::oldestLinesRemoved, this, &ChatView::removeOldestLines);
    connect(&m_model, &ChatModel::cleared, this, [this] { document()->clear(); });
    connect(&m_model, &ChatModel::stylesChanged, this, &ChatView::restyle);
    connect(this, &QTextBrowser::anchorClicked, this, &ChatView::followAnchor);
    for (const auto& line : m_model.lines()) {
        appendLine(line);
    }
}

QTextCharFormat ChatView::look(int style) const {
    const TextStyle& s = m_model.styles()[static_cast<std::size_t>(style)];
    QTextCharFormat format;
    format.setFontFamilies({QString::fromStdString(s.font)});
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
        format.setAnchorHref(kJumpScheme + QLatin1Char(':') + QString::number(run.jump));
    }
    return format;
}

void ChatView::appendLine(const ChatLine& line) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!document()->isEmpty()) {
        cursor.insertBlock();
    }
    for (const ChatRun& run : line.runs) {
        if (run.kind == ChatRun::Kind::Smiley) {
            QTextImageFormat picture;
            picture.setName(smileyName(run.smiley));
            picture.setWidth(kSmileyWidth);
            picture.setHeight(kSmileyHeight);
            cursor.insertImage(picture);
        } else {
            cursor.insertText(displayText(run.text), runFormat(run));
        }
    }
    cursor.endEditBlock();
    if (!m_scrollOff) {
        scrollToEnd();
    }
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
            if (!format.hasProperty(kStyleProperty) || format.isImageFormat()) {
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

void ChatView::followAnchor(const QUrl& url) {
    bool ok = false;
    const int jump = url.path().toInt(&ok);
    if (url.scheme() == kJumpScheme && ok) {
        emit linkActivated(jump);
    }
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
            if (fragment.charFormat().isImageFormat()) {
                const QString name = fragment.charFormat().toImageFormat().name();
                const int index = name.section(QLatin1Char(':'), 1).toInt();
                text += QStringLiteral(":)#%1").arg(index + kFirstSmileyCode).repeated(to - from);
            } else {
                text += fragment.text().mid(from - fragment.position(), to - from);
            }
        }
    }
    return text;
}

QRect ChatView::linkRect(int jump) const {
    const QString href = kJumpScheme + QLatin1Char(':') + QString::number(jump);
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

QVariant ChatView::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource && name.scheme() == kSmileyScheme) {
        return smileyPicture(name.path().toInt());
    }
    return {};
}

} // namespace lastling::social
