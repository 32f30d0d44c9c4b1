#pragma once

// The chart being edited: the flowchart model, the element list that draws the program as one
// column of blocks, and the operations that build, lay out, grow and shrink that column. The main
// window, the document reader and the command-line tool each hold one.

#include <QObject>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "chart/elements.h"
#include "chart/flow_model.h"

namespace varnoki::chart {

inline constexpr int kChainLeft = 70;
inline constexpr int kChainTop = 16;

// One block as the generator and the document writer see it. The views into the texts stay valid
// until the block is changed or removed.
struct BlockEntry {
    ObjectId object;
    int shapeCode;
    std::string_view record;
    std::string_view text;
    int height;
    int Kind() const;
};

class Chart : public QObject {
    Q_OBJECT

public:
    // Starts with a new chart: start terminal, one selected insertion point, end terminal.
    explicit Chart(QObject* parent = nullptr);
    ~Chart() override;

    FlowModel& Flow() { return flow_; }
    const FlowModel& Flow() const { return flow_; }

    // Kept by the document commands: the open document's path and the last change check.
    QString FileName;
    bool Modified = false;

    // Program order: start terminal, insertion point, then (block, insertion point) pairs, then the
    // end terminal, always.
    const std::vector<ElementPtr>& Elements() const { return elements_; }
    const std::vector<ObjectId>& MoveList() const { return moveList_; }
    ObjectId ReselectTarget() const { return reselectTarget_; }
    ObjectId StartShape() const { return startShape_; }
    ObjectId EndShape() const { return endShape_; }
    ObjectId LastAppended() const { return lastAppended_; }

    // Destroys whatever the list holds, then builds start terminal, insertion point and end
    // terminal, selects the insertion point's rectangle and lays them out.
    void NewChart();
    // Destroys every element, last to first; the list and the model are empty afterwards.
    void ClearChart();
    // Stacks the elements from top 16 down, each at its recorded left edge.
    void LayoutChain();

    // Positions in Elements() of the block drawn by `object`, of the insertion point whose
    // rectangle or whose frame it is; -1 when there is none.
    int IndexOfBlock(ObjectId object) const;
    int IndexOfSpot(ObjectId object) const;
    int IndexOfSpotFrame(ObjectId object) const;
    bool IsBlock(ObjectId object) const;

    int ElementLeft(const Element& element) const;
    // The height of the element's main object (an insertion point's frame).
    int ElementHeight(const Element& element) const;

    // For a block of the chain: its height (32 or 40), its text (Big5) and its parameter record.
    // Other objects are left alone. None of these lays out.
    void SetBlockHeight(ObjectId object, int height);
    void SetBlockText(ObjectId object, std::string text);
    void SetBlockRecord(ObjectId object, std::string record);

    // Moves the object to (left, top) and its union members, and theirs, by the same offset; this is
    // also what dragging with the mouse does. The element list is not touched.
    void MoveObjectTree(ObjectId object, int left, int top);
    // Appends the object and, depth first, its union members to MoveList.
    void CollectObjectTree(ObjectId object);

    // The selection filter: connections, the two terminals and insertion-point frames are refused,
    // so only blocks and insertion-point rectangles can be selected.
    bool dxFlowChart1Selection(const SelectableItem& item) const;

    // A palette click: inserts a block of `kind` right after the selected insertion point, lays out,
    // selects the block and asks the views to show it. Does nothing unless an insertion point's
    // rectangle is selected and the kind is one of the 24. Returns the block's object or kNoObject.
    ObjectId InsertBlock(int kind);
    // Adds a block of `kind` and its insertion point just before the end terminal, without laying
    // out or selecting; the block's object goes to LastAppended and is returned. Kinds outside the
    // 24 add nothing and return kNoObject.
    ObjectId AppendBlock(int kind);
    // Removes the block and the insertion point after it and lays out; the insertion point before
    // it is shown now and selected from the event loop, once the current event is over.
    void RemoveBlock(ObjectId object);
    // The deferred part of RemoveBlock: selects ReselectTarget.
    void ReselectSpot();

    // The blocks in program order.
    std::vector<BlockEntry> Blocks() const;
    int BlockCount() const;

private:
    enum class Role { Block, SpotRectangle, SpotFrame };
    struct Registered {
        Element* element;
        Role role;
    };

    void InsertElement(std::size_t index, ElementPtr element);
    ElementPtr TakeElement(std::size_t index);
    void FreeElement(ElementPtr element);
    Element* FindRole(ObjectId object, Role role) const;
    int IndexOfRole(ObjectId object, Role role) const;

    void PlaceElement(Element& element, int left, int top);
    void SetElementLeft(Element& element, int left);
    void CentreRectangle(TNormalSpot& spot);

    FlowModel flow_;
    std::vector<ElementPtr> elements_;
    // Blocks' objects and insertion points' rectangles and frames, for lookups without a scan.
    std::unordered_map<ObjectId, Registered> registry_;
    std::vector<ObjectId> moveList_;
    ObjectId reselectTarget_{};
    ObjectId startShape_{};
    ObjectId endShape_{};
    ObjectId lastAppended_{};
};

}  // namespace varnoki::chart
