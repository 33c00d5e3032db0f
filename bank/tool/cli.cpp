#include "bank/tool/cli.h"

#include "bank/tool/bank_source.h"
#include "bank/tool/bank_stats.h"
#include "bank/tool/bank_tables.h"
#include "bank/tool/exhibits.h"
#include "platform/error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace bank {

namespace {

const char kUsage[] =
    "usage: palvexa-bank <command> ...\n"
    "  validate <dir-or-files...> [--exhibits <srcdir>]\n"
    "  compile <dir-or-files...> -o <velmora.DAT> [--exhibits <srcdir>] [--exhibits-out <dir>]\n"
    "  export [--raw] <table file> [-o <out.yaml>]\n"
    "  create-empty <exam-set|user-set> <file>\n"
    "  stats <dir-or-files...>\n";

struct Arguments {
    QStringList inputs;
    QString output;
    QString exhibits;
    QString exhibitsOut;
    bool raw = false;
};

// Splits the options from the inputs; false (with a message) on a malformed line.
bool parseArguments(const QStringList& args, const QStringList& allowed, Arguments& parsed,
                    QTextStream& err) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith('-') || a == "-") {
            parsed.inputs << a;
            continue;
        }
        if (!allowed.contains(a)) {
            err << "palvexa-bank: unknown option " << a << '\n' << kUsage;
            return false;
        }
        if (a == "--raw") {
            parsed.raw = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            err << "palvexa-bank: " << a << " needs a value\n";
            return false;
        }
        const QString value = args[++i];
        if (a == "-o")
            parsed.output = value;
        else if (a == "--exhibits")
            parsed.exhibits = value;
        else if (a == "--exhibits-out")
            parsed.exhibitsOut = value;
    }
    return true;
}

// Reads and checks the source; prints every problem. Null when there were any.
std::optional<SourceBank> checkedBank(const Arguments& a, QTextStream& err) {
    const QString exhibits = a.exhibits.isEmpty() ? defaultExhibitsDir(a.inputs) : a.exhibits;
    SourceBank bank = loadBank(a.inputs, exhibits);
    for (const Problem& p : bank.problems)
        err << p.toString() << '\n';
    if (!bank.problems.isEmpty()) {
        err << bank.problems.size() << (bank.problems.size() == 1 ? " problem" : " problems")
            << " in the question bank\n";
        return std::nullopt;
    }
    return bank;
}

void writeText(const QString& file, const QString& text, QTextStream& out) {
    if (file.isEmpty()) {
        out << text;
        return;
    }
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0 || !f.commit())
        throw palvexa::Error(QStringLiteral("Cannot write %1: %2").arg(file, f.errorString()));
}

int validate(const Arguments& a, QTextStream& out, QTextStream& err) {
    const auto bank = checkedBank(a, err);
    if (!bank)
        return 1;
    out << bank->questions.size() << " questions in " << bank->files.size()
        << " files, no problems\n";
    return 0;
}

int compile(const Arguments& a, QTextStream& out, QTextStream& err) {
    if (a.output.isEmpty()) {
        err << "palvexa-bank: compile needs -o <velmora.DAT>\n";
        return 2;
    }
    const auto bank = checkedBank(a, err);
    if (!bank)
        return 1;
    const QString exhibitsDir = a.exhibits.isEmpty() ? defaultExhibitsDir(a.inputs) : a.exhibits;
    int pictures = 0;
    const auto renderExhibits = [&] {
        if (a.exhibitsOut.isEmpty())
            return;
        QDir().mkpath(a.exhibitsOut);
        QSet<QString> done;
        for (const Question& q : bank->questions) {
            if (q.exhibit.isEmpty() || done.contains(q.exhibit))
                continue;
            done.insert(q.exhibit);
            makeExhibit(exhibitSource(exhibitsDir, q.exhibit),
                        QDir(a.exhibitsOut).filePath(q.exhibit));
            ++pictures;
        }
    };
    const QList<int> orphans = compileBank(bank->questions, a.output, renderExhibits);
    for (const int id : orphans)
        err << "palvexa-bank: warning: the note on question " << id
            << " was dropped: the bank no longer has that question\n";
    out << "Compiled " << bank->questions.size() << " questions into " << a.output;
    if (!a.exhibitsOut.isEmpty())
        out << " and " << pictures << " exhibits into " << a.exhibitsOut;
    out << '\n';
    return 0;
}

int exportTable(const Arguments& a, QTextStream& out, QTextStream& err) {
    if (a.inputs.size() != 1) {
        err << "palvexa-bank: export takes one table file\n" << kUsage;
        return 2;
    }
    const TableContents table = readTable(a.inputs.first());
    writeText(a.output, a.raw ? exportRawYaml(table) : exportYaml(table), out);
    return 0;
}

int createEmpty(const Arguments& a, QTextStream& out, QTextStream& err) {
    if (a.inputs.size() != 2 || (a.inputs[0] != "exam-set" && a.inputs[0] != "user-set")) {
        err << "palvexa-bank: create-empty <exam-set|user-set> <file>\n";
        return 2;
    }
    const TableKind kind = a.inputs[0] == "exam-set" ? TableKind::ExamSet : TableKind::UserSet;
    if (createEmptyTable(kind, a.inputs[1]))
        out << "Created " << a.inputs[1] << '\n';
    return 0;
}

int stats(const Arguments& a, QTextStream& out, QTextStream& err) {
    const QString exhibits = a.exhibits.isEmpty() ? defaultExhibitsDir(a.inputs) : a.exhibits;
    const SourceBank bank = loadBank(a.inputs, exhibits);
    out << bankStats(bank.questions);
    for (const Problem& p : bank.problems)
        err << p.toString() << '\n';
    return bank.problems.isEmpty() ? 0 : 1;
}

} // namespace

int runBankTool(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    struct Command {
        const char* name;
        QStringList options;
        int (*run)(const Arguments&, QTextStream&, QTextStream&);
        bool needsInputs;
    };
    const Command commands[] = {
        {"validate", {"--exhibits"}, validate, true},
        {"compile", {"-o", "--exhibits", "--exhibits-out"}, compile, true},
        {"export", {"--raw", "-o"}, exportTable, false},
        {"create-empty", {}, createEmpty, false},
        {"stats", {"--exhibits"}, stats, true},
    };
    for (const Command& c : commands) {
        if (command != c.name)
            continue;
        Arguments parsed;
        if (!parseArguments(rest, c.options, parsed, err))
            return 2;
        if (c.needsInputs && parsed.inputs.isEmpty()) {
            err << "palvexa-bank: " << command << " needs a folder or files\n";
            return 2;
        }
        try {
            return c.run(parsed, out, err);
        } catch (const palvexa::Error& e) {
            err << "palvexa-bank: " << e.text() << '\n';
            return 1;
        }
    }
    err << "palvexa-bank: unknown command " << command << '\n' << kUsage;
    return 2;
}

} // namespace bank
