#include "Commands.h"

namespace kvf::cli {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"dump", "dump FILE",
       "Prints the decoded document as one JSON object: file identity, the information record,\n"
       "the string table, the answer matrix [question][respondent], alternatives, questions,\n"
       "comments, blocks (user blocks included), block items and the derived lists.",
       RunDump},
      {"select", "select FILE [--keep D:A1,A2,...] [--flex A1,A2,...] [--flex-on-selection] [--row-order N] "
                 "[--max-rows N] [--seed N]",
       "Applies a selection as the navigator's Show does and prints the result as one JSON object:\n"
       "{count, alternativeCounts [dimension][alternative], error (\"\" or the refusal text), description,\n"
       "dataRowsAllowed, flexTotalDiffers, splitDisabled [dimension], rowOrder (effective 0/1/2),\n"
       "rows [every respondent of the sheet in row order], columnOffsets ([question] or null),\n"
       "headerRowCount, shownRowCount, sheetTotalIndex (-1 when none), flexTotal {caption, respondents,\n"
       "currentTotalIndex, questionFlexIndex [question], blockFlexIndex [block]}}.\n"
       "--keep D:A1,A2  dimension D (0-based) keeps only the listed alternatives (0-based; \"D:\" keeps\n"
       "                none); repeatable, a dimension named twice keeps both lists; others keep all.\n"
       "--flex A1,A2    the flex total's alternatives of the flex-total question (\"\" chooses none).\n"
       "--flex-on-selection  base the flex total on the current selection.\n"
       "--row-order N   the setting Overview Row Order (0 original, 1 random, 2 random per column).\n"
       "--max-rows N    the setting Overview Max Rows (default 300).\n"
       "--seed N        seed of the random row orders (default: from the clock).\n"
       "A refused selection exits 0 with error set; the sheet fields then describe the sheet that stays.",
       RunSelect},
      {"copy-data", "copy-data FILE [selection options]",
       "Prints exactly the text of Copy Overview as Data (UTF-8, CR LF between lines, none after the\n"
       "last): one line per respondent of the sheet in row order, the cells' short labels separated by\n"
       "TAB. A refused selection, or one below the minimum for answer rows, prints its text on\n"
       "standard error and exits 3. A document that does not allow copying its data exits 5.",
       RunCopyData},
      {"copy-row", "copy-row FILE --row R [selection options]",
       "Prints exactly the text of Copy this Row's Answers for answer row R (0-based, one of the shown\n"
       "rows): block names and one line per column with the question's label and text, the chosen\n"
       "alternative and the answer comment. A refused selection, or rows rotated per column, prints a\n"
       "text on standard error and exits 3. R is a sheet row, unlike detail --row and comments --row,\n"
       "which take a respondent number.",
       RunCopyRow},
      {"index-values", "index-values FILE [selection options]",
       "Prints the index value table of the sheet's respondents (what a double click on the status bar\n"
       "puts on the clipboard): \"Value\" TAB \"Count\", then one line per weight. Prints nothing when no\n"
       "answer counts or the document has no indexes. A refused selection exits 3.",
       RunIndexValues},
      {"overview", "overview FILE [selection options] --out PATH [--headers-only] [--screen | --mini]",
       "Draws the overview sheet as Save Overview As and Copy Overview do and writes it to PATH, by its\n"
       "extension: .emf (enhanced metafile), .wmf (placeable Windows metafile), .svg, .pdf or .png (the\n"
       "same picture through Qt's generators): twice the screen scale, with the question and block index\n"
       "rows and the caption. --screen with .png writes the screen image instead (16-pixel cells, header\n"
       "and answer rows only). --headers-only leaves out the answer rows (Copy Headers and Totals).\n"
       "--mini with .png writes the mini-overview picture (8-pixel cells, colours only); a selection\n"
       "below the minimum for answer rows exits 3, as Copy to Mini-overview is then unavailable.\n"
       "Overview Max Rows and Overview Group Lines come from the settings file (--max-rows overrides the\n"
       "first). A document that does not allow saving exits 5; a refused selection exits 3; a file that\n"
       "cannot be written, or a sheet too large for the format, exits 4.",
       RunOverview},
      {"detail", "detail FILE --row ITEM --column C [selection options]",
       "Prints what the detail information window shows when the pointer rests on one cell of the new\n"
       "sheet, as one JSON object: {headers [3], text, indexLabels [5], selection [5], total [5]}.\n"
       "ITEM is a respondent of the selection (its index) or a header row: -1 the question row, -2 and\n"
       "-3 the block rows; C is a sheet column (0-based). Index rows: 0 the respondent, 1 the question,\n"
       "2 the second-level block, 3 the first-level block, 4 the total index; \"-\" is no value. A\n"
       "document without indexes leaves the window empty. A refused selection exits 3.",
       RunDetail},
      {"blocks", "blocks FILE [--add NAME] [--rename OLD NEW] [--delete NAME] [--members NAME Q1,Q2,...] "
                 "[--include NAME yes|no]",
       "Prints the block tables (user blocks applied) as one JSON object: {blocks [{name, fromFile,\n"
       "includeInCopy, membersByQuestionField, blockLevel, storedIndex, flexIndex, graphFlags}],\n"
       "blockItems [[block, question]...]}. The operations edit the blocks as Tools > Edit Blocks does,\n"
       "in the given order, then OK: the new tables are printed and the user blocks are kept in the\n"
       "settings file. NAME is the first block not deleted with exactly that name; --members sets the\n"
       "questions (indexes of overview questions, \"\" for none) of a user block; file blocks only take\n"
       "--include. A refused edit (a name taken, a file block changed) prints its text on standard\n"
       "error, exits 3 and writes nothing. Without operations nothing is written.",
       RunBlocks},
      {"comments", "comments FILE [selection options] (--row R | --column C | --all)",
       "Prints the rich text (RTF, UTF-8) the comment pop-up shows: --row R everything respondent R\n"
       "wrote (R is a respondent number of the sheet, as for detail --row; copy-row --row takes a sheet\n"
       "row instead), --column C the comments on sheet column C (0-based), --all every general comment\n"
       "of the sheet (View > Comments). Nothing to show prints nothing, except for --all, which prints\n"
       "\"Could not find any comments!\" on standard error and exits 3. --row while rows are rotated per\n"
       "column or no answer rows are shown, and a refused selection, exit 3.",
       RunComments},
      {"indexes", "indexes FILE [selection options] [--total] [--category Q]... [--counts] [--groups LIST] "
                  "[--full-text] [--columns]",
       "Prints exactly the text of Copy Indexes (UTF-8, TAB between cells, CR LF between lines, none\n"
       "after the last): the index groups of --groups (a comma list of 0 total, 1 blocks, 2 sub-blocks,\n"
       "3 questions, 4 user blocks) over the sub-selections: --total (the whole selection) and every\n"
       "alternative of each --category Q (a dimension's question index; repeatable, taken in the\n"
       "document's dimension order). --counts adds the respondent counts, --full-text labels questions\n"
       "with their label and text, --columns puts the sub-selections in columns (default: rows). Cells:\n"
       "empty for no value, \"---\" for too few respondents. No sub-selection or no group exits 1; a\n"
       "document that does not allow copying or has no indexes exits 5; a refused selection exits 3.",
       RunIndexes},
      {"graph", "graph FILE (--block B | --question Q) [--split S] [--kind 1|2] [--percent] [selection options] "
                "[--values | --legends | --out PATH [--size WxH] | --print PATH.pdf [--landscape]]",
       "A block histogram or graph (B: block position, its questions as the View menu finds them) or a\n"
       "question histogram or graph (Q: question index), optionally split by the overview question S, of\n"
       "the selection. --kind 1 histogram (default), 2 fraction graph. Without an output option prints\n"
       "{caption, statusBefore, statusAfter, kind, scale, title, subtitle, selectionText, indexText, bars,\n"
       "segments, legend} as JSON. --values / --legends print the text of Copy values / Copy legends\n"
       "(--percent: percent texts). --out writes .emf/.wmf as Save As does, or .png/.svg/.pdf of the\n"
       "same picture, of a window of the default size or --size WxH (client pixels). --print writes the\n"
       "printed page on A4 to a PDF. Exits 5 when the graph (or saving, printing, or the split's groups)\n"
       "is not offered, 3 for a refused selection or a block without questions, 4 when the graph does\n"
       "not fit or the file cannot be written.",
       RunGraph},
      {"chart", "chart FILE [selection options] (--distribution D --type 0|1|2 [--group G] [--percent] [--3d] "
                "[--horizontal] [--vertical-labels] | --total-index [--show-total] [--blocks | --questions] "
                "[--split Q] [--empty-splits] [--lines MASK] [--explain] [--horizontal] [--vertical-labels] "
                "[--data-labels] | --block-index B [--show-block] [--questions] [--split Q] [--empty-splits] "
                "[--lines MASK] [--explain] [--horizontal] [--vertical-labels] [--data-labels] | --ranking "
                "(--block B | --question Q) [--by-option]) [--out PATH [--size WxH] | --print PATH.pdf [--landscape]]",
       "A distribution, index or ranking chart made as the set-up dialog's OK (or the menu command)\n"
       "makes it (D, G: dimension positions; B: block position; Q: question index). Without an output\n"
       "option prints {caption, statusBefore, statusAfter, chartType, horizontal, title, bottomTitle,\n"
       "leftTitle, verticalLabels, dataLabels, legendPlacement, points, sets, pointLabels, setLegends,\n"
       "values, valueLabels, colorCode9, axis, lines} as JSON (null: never set). --out writes\n"
       ".emf/.wmf/.png/.bmp/.jpg/.gif/.svg/.pdf of a new window's size or --size WxH; --print writes\n"
       "the printed page on A4 to a PDF. Exits 1 for a combination the dialog does not allow, 5 when\n"
       "the chart (or saving, printing, the split's groups) is not offered, 3 for a refused selection\n"
       "or a block without questions, 4 when the file cannot be written.",
       RunChart},
      {"settings", "settings",
       "Prints the program settings in effect, one per line: key\\name, TAB, value, TAB, \"store\" or\n"
       "\"default\". They are read from $XDG_CONFIG_HOME/Brennvik AB/KVF Viewer.reg (~/.config when\n"
       "unset), the file every kvf command and the viewer share; user blocks kept there apply to\n"
       "every command.",
       RunSettings},
      {"info", "info FILE",
       "Prints what File > Properties shows, as one JSON object in the interface language:\n"
       "{caption, labels [[label, value], ...] in the window's order (the integrity-protection rows\n"
       "included), indexFrame {enabled, caption, status, information}, comment (the document's RTF\n"
       "comment, \"\" when none)}. Every value is a string; a line break inside a text is \"\\n\".",
       RunInfo},
      {"about", "about [--summary | --compliance | --trademark]",
       "Without an option prints Help > About as one JSON object: {caption, name, version, legalNotice,\n"
       "show [the Show list's items]}. With one option prints that item's RTF document exactly as the\n"
       "about box shows it: --summary the system summary (built now from /proc and the environment),\n"
       "--compliance the file and clipboard formats, --trademark the trademark notice.",
       RunAbout},
  };
  return commands;
}

}  // namespace kvf::cli
