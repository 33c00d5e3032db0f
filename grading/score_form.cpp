#include "grading/score_form.h"

#include "app/dialogs.h"
#include "data/exam_tables.h"
#include "exam/exam_state.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"
#include "widgets/placement.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int ClientWidth = 582;
constexpr int ClientHeight = 444;

QFont sansSerif(int pixels, bool bold = false) {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QFrame* makePanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    return panel;
}

// A flat chart without legend, its value axis fixed at [0, maximum] with a label every `step`.
QChartView* makeChart(QWidget* parent, const QString& name, QHorizontalStackedBarSeries*& series,
                      const QString& seriesName, double maximum, int step, int labelPixels,
                      double thickness) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 2, 12, 2));
    chart->setPlotAreaBackgroundVisible(false);

    series = new QHorizontalStackedBarSeries(chart);
    series->setObjectName(seriesName);
    series->setBarWidth(thickness);
    series->setLabelsVisible(false);
    chart->addSeries(series);

    auto* values = new QValueAxis(chart);
    values->setRange(0, maximum);
    values->setTickCount(int(maximum / step) + 1);
    values->setMinorTickCount(0);
    values->setLabelFormat(QStringLiteral("%d"));
    values->setLabelsFont(sansSerif(labelPixels));
    values->setLabelsBrush(Qt::black);
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);

    auto* categories = new QBarCategoryAxis(chart);
    categories->setGridLineVisible(false);
    categories->setMinorGridLineVisible(false);
    categories->setLabelsFont(sansSerif(labelPixels));
    categories->setLabelsBrush(Qt::black);
    categories->setTruncateLabels(false); // each label whole, on one line
    chart->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);

    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    // A chart is read, not worked: Tab goes from button to button.
    view->setFocusPolicy(Qt::NoFocus);
    view->viewport()->setFocusPolicy(Qt::NoFocus);
    return view;
}

// One bar set per bar, each holding its value in its own category only, so that each bar has
// its own colour and the bars keep the full thickness of their slot.
void setBars(QChartView* view, QHorizontalStackedBarSeries* series,
             const std::vector<report::Bar>& bars) {
    series->clear();
    QStringList labels;
    for (const report::Bar& b : bars)
        labels << b.label;
    const auto axes = view->chart()->axes(Qt::Vertical, series);
    if (auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes[0])) {
        categories->clear();
        categories->append(labels);
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        auto* set = new QBarSet(bars[i].label);
        set->setColor(bars[i].color);
        set->setBorderColor(Qt::black);
        for (std::size_t j = 0; j < bars.size(); ++j)
            set->append(j == i ? bars[i].value : 0.0);
        series->append(set);
    }
}

} // namespace

TScoreForm::TScoreForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ScoreForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
    setFont(sansSerif(11));
    setFixedSize(ClientWidth, ClientHeight);
    widgets::centreOnScreen(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildTop();
    buildTotal();
    buildSections();
    buildButtons();
    layout->addWidget(Panel1);
    layout->addWidget(Panel4);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(Panel14);
}

void TScoreForm::buildTop() {
    Panel1 = makePanel(this, QStringLiteral("Panel1"));
    Panel1->setFixedHeight(33);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    Panel1->setPalette(pal);
    auto* l = new QVBoxLayout(Panel1);
    l->setContentsMargins(0, 0, 0, 1);
    fcLabel1 = new widgets::OutlinedLabel(QStringLiteral("Examination Score Report"), Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(13);
    f.setBold(true);
    fcLabel1->setFont(f);
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(QColor());
    fcLabel1->setShadowColor(Qt::black);
    fcLabel1->setShadowDepth(1);
    fcLabel1->setAlignment(Qt::AlignCenter);
    l->addWidget(fcLabel1);
}

void TScoreForm::buildTotal() {
    Panel4 = makePanel(this, QStringLiteral("Panel4"));
    Panel4->setFixedHeight(184);
    auto* l = new QVBoxLayout(Panel4);
    l->setContentsMargins(5, 5, 5, 5);
    l->setSpacing(0);

    TotalChart = makeChart(Panel4, QStringLiteral("TotalChart"), Series1, QStringLiteral("Series1"),
                           1000, 100, 13, 0.9);
    TotalChart->setAccessibleName(QStringLiteral("Examination Score Report"));
    QChart* chart = TotalChart->chart();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundPen(QPen(Qt::black, 1));
    chart->setTitleFont(sansSerif(13));
    chart->setTitleBrush(QColor(0, 0, 128));
    TotalChart->setFrameShape(QFrame::Box);
    l->addWidget(TotalChart, 1);

    Panel2 = makePanel(Panel4, QStringLiteral("Panel2"));
    Panel2->setFixedHeight(32);
    Panel2->setFrameShape(QFrame::StyledPanel);
    auto* p2 = new QVBoxLayout(Panel2);
    p2->setContentsMargins(4, 4, 4, 4);
    TotalLabel = new QLabel(Panel2);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));
    TotalLabel->setTextFormat(Qt::PlainText);
    TotalLabel->setAlignment(Qt::AlignCenter);
    TotalLabel->setFont(sansSerif(13, true));
    p2->addWidget(TotalLabel);
    l->addWidget(Panel2);
}

void TScoreForm::buildSections() {
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    Chart1 = makeChart(ScrollBox1, QStringLiteral("Chart1"), HorizBarSeries1,
                       QStringLiteral("HorizBarSeries1"), 100, 10, 11, 0.8);
    Chart1->setAccessibleName(QStringLiteral("Sections"));
    QChart* chart = Chart1->chart();
    chart->setBackgroundBrush(palette().color(QPalette::Window));
    chart->setBackgroundPen(Qt::NoPen);
    // Room at the top for the title, which sits at the left rather than centred.
    chart->setMargins(QMargins(4, 22, 12, 2));
    Chart1->setBackgroundBrush(palette().color(QPalette::Window));
    Chart1->setMinimumSize(0, 0);
    ScrollBox1->setWidget(Chart1);

    Chart1Title = new QLabel(QStringLiteral(" Sections "), Chart1);
    Chart1Title->setObjectName(QStringLiteral("Chart1Title"));
    Chart1Title->setTextFormat(Qt::PlainText);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setItalic(true);
    Chart1Title->setFont(f);
    Chart1Title->setFrameShape(QFrame::Box);
    Chart1Title->setAutoFillBackground(true);
    QPalette pal = Chart1Title->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::blue);
    Chart1Title->setPalette(pal);
    Chart1Title->adjustSize();
    Chart1Title->move(8, 3);
}

void TScoreForm::buildButtons() {
    Panel14 = makePanel(this, QStringLiteral("Panel14"));
    Panel14->setFixedHeight(40);
    Panel14->setFrameShape(QFrame::StyledPanel);
    const auto button = [this](const QString& name, const QString& text, int left, int width) {
        auto* b = new QPushButton(text, Panel14);
        b->setObjectName(name);
        b->setFont(sansSerif(13));
        b->setGeometry(left, 5, width, 30);
        return b;
    };
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("&View Answers"), 3, 105);
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("&Print Report"), 111, 104);
    BitBtn3 =
        button(QStringLiteral("BitBtn3"), QStringLiteral("E&xit Exam"), ClientWidth - 108, 104);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn2Click(); }); });
    connect(BitBtn3, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn3Click(); }); });
}

void TScoreForm::setTotalBars(const std::vector<report::Bar>& bars) {
    setBars(TotalChart, Series1, bars);
}

void TScoreForm::setTotalTitle(const QString& title) {
    // Chart titles are markup: the candidate's name stays plain text and its spaces stay.
    TotalChart->chart()->setTitle(
        title.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")));
}

QString TScoreForm::totalTitle() const {
    return QTextDocumentFragment::fromHtml(TotalChart->chart()->title())
        .toPlainText()
        .replace(QChar(0xa0), QLatin1Char(' '));
}

void TScoreForm::setSectionBars(const std::vector<report::Bar>& bars) {
    setBars(Chart1, HorizBarSeries1, bars);
}

void TScoreForm::BitBtn1Click() {
    TestForm->ExamMode = palvexa::ReviewMode;
    TestForm->ReviewControls();
    TestForm->LearnButton->setEnabled(false);
    // The move redraws item 1 with its answer key.
    TestForm->dtCurrentSet.first();
    done(QDialog::Accepted);
}

void TScoreForm::BitBtn2Click() {
    QPrinter printer(QPrinter::HighResolution);
    setUpScoreReportPrinter(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("ScoreReportPreview"));
    preview.setWindowTitle(QStringLiteral("Score Report"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { renderScoreReport(p, ppReport1); });
    app::execModal(&preview);
}

void TScoreForm::BitBtn3Click() {
    if (app::ask(app::MsgKind::Confirm, QStringLiteral("Are you sure you wish to end this exam?"),
                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    TestForm->CloseCurrentExam();
    done(QDialog::Accepted);
}

void TScoreForm::reject() {}
