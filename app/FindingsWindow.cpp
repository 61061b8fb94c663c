#include "app/FindingsWindow.h"

#include "app/QtText.h"
#include "support/Cp1252.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace kr6 {
namespace {

enum TColumn {
    MemberColumn,
    LineColumn,
    ColumnColumn,
    SeverityColumn,
    CodeColumn,
    MessageColumn,
    Columns
};

} // namespace

void TFindingsModel::SetItems(std::vector<TKr6Finding> Items) {
    beginResetModel();
    FItems = std::move(Items);
    endResetModel();
}

int TFindingsModel::rowCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : static_cast<int>(FItems.size());
}

int TFindingsModel::columnCount(const QModelIndex& Parent) const {
    return Parent.isValid() ? 0 : Columns;
}

QVariant TFindingsModel::data(const QModelIndex& Index, int Role) const {
    if (!Index.isValid() || (Role != Qt::DisplayRole && Role != SortRole))
        return {};
    const TKr6Finding& Finding = Item(Index.row());
    switch (Index.column()) {
    case MemberColumn:
        return FromCp1252(Finding.Member);
    case LineColumn:
        return Role == SortRole || Finding.Line > 0 ? QVariant(Finding.Line) : QVariant(QString());
    case ColumnColumn:
        return Role == SortRole || Finding.Column > 0 ? QVariant(Finding.Column)
                                                      : QVariant(QString());
    case SeverityColumn:
        if (Role == SortRole)
            return static_cast<int>(SeverityOf(Finding.Code));
        return QString::fromLatin1(SeverityName(SeverityOf(Finding.Code)).data());
    case CodeColumn:
        return QString::fromLatin1(FindingCodeName(Finding.Code).data());
    case MessageColumn:
        return FromCp1252(Finding.Message);
    default:
        return {};
    }
}

QVariant TFindingsModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
    if (Role != Qt::DisplayRole || Orientation != Qt::Horizontal)
        return {};
    static const char* const Titles[Columns] = {"Datei",   "Zeile", "Spalte",
                                                "Schwere", "Code",  "Meldung"};
    return QString::fromUtf8(Titles[Section]);
}

TFindingsWindow::TFindingsWindow(QWidget* Parent, std::function<void(const std::string&)> Save)
    : QWidget(Parent, Qt::Window), FSave(std::move(Save)) {
    setObjectName(QStringLiteral("FindingsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 560);

    auto* SeverityLabel = new QLabel(QStringLiteral("&Schwere:"), this);
    Severity = new QComboBox(this);
    // The second column is what the severity column shows, as `kr6csv lint` writes it.
    Severity->addItem(QStringLiteral("alle"), QString());
    Severity->addItem(QStringLiteral("Fehler (error)"), QStringLiteral("error"));
    Severity->addItem(QStringLiteral("Warnungen (warning)"), QStringLiteral("warning"));
    Severity->addItem(QStringLiteral("Hinweise (note)"), QStringLiteral("note"));
    SeverityLabel->setBuddy(Severity);
    Count = new QLabel(this);
    SaveButton = new QPushButton(QStringLiteral("Als Text &speichern ..."), this);
    auto* Top = new QHBoxLayout;
    Top->addWidget(SeverityLabel);
    Top->addWidget(Severity);
    Top->addSpacing(12);
    Top->addWidget(Count, 1);
    Top->addWidget(SaveButton);

    Model = new TFindingsModel(this);
    Shown = new QSortFilterProxyModel(this);
    Shown->setSourceModel(Model);
    Shown->setSortRole(TFindingsModel::SortRole);
    Shown->setFilterKeyColumn(SeverityColumn);
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("FindingsTable"));
    Table->setModel(Shown);
    Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setWordWrap(false);
    // In the import's order until the user sorts by a column.
    Table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    Table->setSortingEnabled(true);

    LineText = new QPlainTextEdit(this);
    LineText->setReadOnly(true);
    LineText->setMaximumHeight(60);
    LineText->setLineWrapMode(QPlainTextEdit::NoWrap);
    LineText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    LineText->setPlaceholderText(QStringLiteral("Die Zeile des gewählten Hinweises"));

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Top);
    Layout->addWidget(Table, 1);
    Layout->addWidget(LineText);

    connect(Severity, &QComboBox::currentIndexChanged, this, [this] {
        Shown->setFilterFixedString(Severity->currentData().toString());
        ShowCount();
    });
    connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFindingsWindow::ShowLine);
    connect(SaveButton, &QPushButton::clicked, this, [this] { FSave(ShownText()); });
}

void TFindingsWindow::ShowFindings(std::vector<TKr6Finding> Items, const QString& Title) {
    setWindowTitle(QStringLiteral("Hinweise zur Liste - ") + Title);
    Model->SetItems(std::move(Items));
    for (const auto& [Column, Width] :
         {std::pair{MemberColumn, 140}, std::pair{LineColumn, 60}, std::pair{ColumnColumn, 60},
          std::pair{SeverityColumn, 80}, std::pair{CodeColumn, 200}})
        Table->setColumnWidth(Column, Width);
    ShowCount();
}

std::string TFindingsWindow::ShownText() const {
    std::string Text;
    for (int Row = 0; Row < Shown->rowCount(); ++Row)
        Text.append(Cp1252ToUtf8(
                        FindingLine(Model->Item(Shown->mapToSource(Shown->index(Row, 0)).row()))))
            .append("\n");
    return Text;
}

void TFindingsWindow::ShowCount() {
    Count->setText(QString::number(Shown->rowCount()) + QStringLiteral(" von ") +
                   QString::number(Model->rowCount()) + QStringLiteral(" Hinweisen"));
    SaveButton->setEnabled(Shown->rowCount() > 0);
}

void TFindingsWindow::ShowLine() {
    const QModelIndex Current = Table->currentIndex();
    LineText->setPlainText(Current.isValid()
                               ? FromCp1252(Model->Item(Shown->mapToSource(Current).row()).Text)
                               : QString());
}

} // namespace kr6
