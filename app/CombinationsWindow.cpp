#include "app/CombinationsWindow.h"

#include "app/QtText.h"
#include "app/ResultRows.h"
#include "support/Cp1252.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace kr6 {
namespace {

std::vector<std::string> Words(const QString& Text) {
    std::vector<std::string> Result;
    for (const QString& Word : Text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        Result.push_back(Utf8ToCp1252(Word.toStdString()));
    return Result;
}

} // namespace

TCombinationsWindow::TCombinationsWindow(QWidget* Parent)
    : QWidget(Parent, Qt::Window), FFilterDelay(new QTimer(this)) {
    setObjectName(QStringLiteral("CombinationsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1280, 700);

    auto* Filter = new QLabel(QStringLiteral("&Filter:"), this);
    FilterField = new QLineEdit(this);
    FilterField->setObjectName(QStringLiteral("FilterField"));
    FilterField->setPlaceholderText(QStringLiteral("Code oder Teil eines Namens"));
    FilterField->setClearButtonEnabled(true);
    Filter->setBuddy(FilterField);
    auto* Check = new QLabel(QStringLiteral("&Prüfen:"), this);
    CheckField = new QLineEdit(this);
    CheckField->setObjectName(QStringLiteral("CheckField"));
    CheckField->setPlaceholderText(
        QStringLiteral("Glas und Beschichtungen, z. B. GK6001 AREF01 TNFA01, dann Eingabe"));
    Check->setBuddy(CheckField);
    auto* Fields = new QHBoxLayout;
    Fields->addWidget(Filter);
    Fields->addWidget(FilterField, 1);
    Fields->addSpacing(12);
    Fields->addWidget(Check);
    Fields->addWidget(CheckField, 2);

    Summary = new QPlainTextEdit(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setReadOnly(true);
    Summary->setMaximumHeight(160);
    Summary->hide();

    Model = new TRowTableModel(this);
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    // Fixed row heights: the view then never measures a row it does not show.
    Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Table->horizontalHeader()->setDefaultSectionSize(190);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setWordWrap(false);
    Table->setModel(Model);

    Explanation = new QPlainTextEdit(this);
    Explanation->setObjectName(QStringLiteral("Explanation"));
    Explanation->setReadOnly(true);
    Explanation->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The explanation's columns line up as on a terminal.
    Explanation->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Explanation->setPlaceholderText(
        QStringLiteral("Eine Zeile wählen oder oben ein Glas mit Beschichtungen eingeben"));
    auto* Splitter = new QSplitter(this);
    Splitter->addWidget(Table);
    Splitter->addWidget(Explanation);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 2);
    Splitter->setSizes({740, 520});

    StatusLine = new QLabel(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Fields);
    Layout->addWidget(Summary);
    Layout->addWidget(Splitter, 1);
    Layout->addWidget(StatusLine);

    auto* Find = new QShortcut(QKeySequence::Find, this);
    connect(Find, &QShortcut::activated, this, [this] {
        FilterField->setFocus();
        FilterField->selectAll();
    });
    // Typing goes on for a moment before the rows are gone through.
    FFilterDelay->setSingleShot(true);
    FFilterDelay->setInterval(250);
    connect(FFilterDelay, &QTimer::timeout, this, &TCombinationsWindow::ApplyFilter);
    connect(FilterField, &QLineEdit::textChanged, FFilterDelay, qOverload<>(&QTimer::start));
    connect(FilterField, &QLineEdit::returnPressed, this, &TCombinationsWindow::ApplyFilter);
    connect(CheckField, &QLineEdit::returnPressed, this, &TCombinationsWindow::ExplainTyped);
    connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCombinationsWindow::ExplainSelected);
}

TCombinationsWindow::~TCombinationsWindow() {
    StopFilter();
}

void TCombinationsWindow::ShowRows(TRowSource Source, const QString& Title, TExplain Explain) {
    StopFilter();
    FExplain = std::move(Explain);
    setWindowTitle(QStringLiteral("Kombinationen - ") + Title);
    Summary->hide();
    Summary->clear();
    Explanation->clear();
    FilterField->blockSignals(true);
    FilterField->clear();
    FilterField->blockSignals(false);
    const bool Changes = Source.Changes;
    Model->SetSource(std::move(Source));
    // The lens's names are the longest.
    if (Changes)
        Table->setColumnWidth(0, 40);
    Table->setColumnWidth(Changes ? 1 : 0, 250);
    ShowCount();
}

void TCombinationsWindow::ShowComparison(TRowSource Source, const QString& SummaryText,
                                         const QString& Title, TExplain Explain) {
    ShowRows(std::move(Source), Title, std::move(Explain));
    setWindowTitle(QStringLiteral("Vergleich - ") + Title);
    Summary->setPlainText(SummaryText);
    Summary->show();
}

void TCombinationsWindow::StopFilter() {
    ++FFilterGeneration;
    FStopFilter = true;
    if (FFilterThread.joinable())
        FFilterThread.join();
    FStopFilter = false;
    FFilterDone = true;
}

void TCombinationsWindow::ApplyFilter() {
    FFilterDelay->stop();
    StopFilter();
    const QString Text = FilterField->text().trimmed();
    if (Text.isEmpty()) {
        Model->SetFilter(nullptr);
        ShowCount();
        return;
    }
    const std::uint64_t Generation = FFilterGeneration;
    const TRowSource Source = Model->Source();
    const std::string Needle = Utf8ToCp1252(Text.toStdString());
    FFilterDone = false;
    StatusLine->setText(QStringLiteral("Filtere ..."));
    // Tens of millions of rows take a while: the window paints meanwhile, and a filter
    // typed over this one stops it.
    FFilterThread = std::jthread([this, Source, Needle, Generation] {
        auto Shown = std::make_shared<const std::vector<std::uint32_t>>(
            FilterRows(Source, Needle, FStopFilter));
        if (FStopFilter)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, Shown, Generation] {
                if (Generation != FFilterGeneration)
                    return;
                FFilterDone = true;
                Model->SetFilter(Shown);
                ShowCount();
            },
            Qt::QueuedConnection);
    });
}

void TCombinationsWindow::ShowCount() {
    StatusLine->setText(QString::number(Model->rowCount()) + QStringLiteral(" von ") +
                        QString::number(static_cast<qulonglong>(Model->AllRows())) +
                        QStringLiteral(" Zeilen"));
}

void TCombinationsWindow::Explain(const std::string& Lens,
                                  const std::vector<std::string>& Coatings) {
    FLens = Lens;
    FCoatings = Coatings;
    if (FExplaining) {
        FAskedAgain = true;
        return;
    }
    if (!FExplain)
        return;
    FExplaining = true;
    do {
        FAskedAgain = false;
        const std::string Asked = FLens;
        const std::vector<std::string> AskedCoatings = FCoatings;
        Explanation->setPlainText(FExplain(Asked, AskedCoatings));
    } while (FAskedAgain);
    FExplaining = false;
}

void TCombinationsWindow::ExplainSelected() {
    const QModelIndex Current = Table->currentIndex();
    if (!Current.isValid())
        return;
    const TRow Fields = Model->Source().FieldsOf(Model->SourceRow(Current.row()));
    std::vector<std::string> Coatings;
    for (std::size_t Field = 1; Field < Fields.size(); ++Field) {
        if (!Fields[Field].empty())
            Coatings.emplace_back(Fields[Field]);
    }
    // A lens without coatings is checked as such, not given as an overview.
    if (Coatings.empty())
        Coatings.emplace_back();
    Explain(std::string(Fields[0]), Coatings);
}

void TCombinationsWindow::ExplainTyped() {
    std::vector<std::string> Codes = Words(CheckField->text());
    if (Codes.empty())
        return;
    const std::string Lens = Codes.front();
    Codes.erase(Codes.begin());
    Explain(Lens, Codes);
}

} // namespace kr6
