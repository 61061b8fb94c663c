#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kr6 {

// A sequence of distinct elements in which an element is placed at a position, moved to
// another or asked for its position in logarithmic time: a treap ordered by position,
// each node knowing the size of its subtree and its parent. Priorities come from a fixed
// generator, so the same operations build the same tree.
template <class T> class TOrderTree {
public:
    std::size_t Size() const { return SizeOf(FRoot); }
    bool Contains(const T& Item) const { return FNodeOf.count(&Item) != 0; }

    void Clear() {
        FNodes = {TNode{}};
        FNodeOf = {};
        FRoot = Nil;
    }

    void PushBack(T& Item) { FRoot = Merge(FRoot, NewNode(Item)); }

    // Item must be in the sequence.
    std::size_t PositionOf(const T& Item) const {
        std::uint32_t Node = FNodeOf.at(&Item);
        std::size_t Position = SizeOf(FNodes[Node].Left);
        while (Node != FRoot) {
            const std::uint32_t Parent = FNodes[Node].Parent;
            if (FNodes[Parent].Right == Node)
                Position += SizeOf(FNodes[Parent].Left) + 1;
            Node = Parent;
        }
        return Position;
    }

    // Takes Item out and puts it back so that Position elements precede it.
    void Move(const T& Item, std::size_t Position) {
        const auto [Before, Rest] = Split(FRoot, PositionOf(Item));
        const auto [Alone, After] = Split(Rest, 1);
        const auto [Front, Back] = Split(Merge(Before, After), Position);
        FRoot = Merge(Merge(Front, Alone), Back);
    }

    // Calls Visit(Item) for every element in order.
    template <class TVisit> void ForEach(TVisit Visit) const {
        std::vector<std::uint32_t> Path;
        std::uint32_t Node = FRoot;
        while (Node != Nil || !Path.empty()) {
            while (Node != Nil) {
                Path.push_back(Node);
                Node = FNodes[Node].Left;
            }
            Node = Path.back();
            Path.pop_back();
            Visit(*FNodes[Node].Item);
            Node = FNodes[Node].Right;
        }
    }

private:
    // Node 0 stands for no node; its size stays 0.
    static constexpr std::uint32_t Nil = 0;

    struct TNode {
        T* Item = nullptr;
        std::uint32_t Left = Nil;
        std::uint32_t Right = Nil;
        std::uint32_t Parent = Nil;
        std::uint32_t Size = 0;
        std::uint64_t Priority = 0;
    };

    std::size_t SizeOf(std::uint32_t Node) const { return FNodes[Node].Size; }

    std::uint32_t NewNode(T& Item) {
        // splitmix64
        FSeed += 0x9E3779B97F4A7C15u;
        std::uint64_t Z = FSeed;
        Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9u;
        Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBu;
        const auto Node = static_cast<std::uint32_t>(FNodes.size());
        FNodes.push_back({&Item, Nil, Nil, Nil, 1, Z ^ (Z >> 31)});
        FNodeOf[&Item] = Node;
        return Node;
    }

    void Update(std::uint32_t Node) {
        TNode& N = FNodes[Node];
        N.Size = static_cast<std::uint32_t>(1 + SizeOf(N.Left) + SizeOf(N.Right));
        FNodes[N.Left].Parent = Node;
        FNodes[N.Right].Parent = Node;
    }

    std::uint32_t Merge(std::uint32_t Left, std::uint32_t Right) {
        if (Left == Nil || Right == Nil)
            return Left == Nil ? Right : Left;
        if (FNodes[Left].Priority > FNodes[Right].Priority) {
            FNodes[Left].Right = Merge(FNodes[Left].Right, Right);
            Update(Left);
            return Left;
        }
        FNodes[Right].Left = Merge(Left, FNodes[Right].Left);
        Update(Right);
        return Right;
    }

    // The first Count elements of Tree, and the rest.
    std::pair<std::uint32_t, std::uint32_t> Split(std::uint32_t Tree, std::size_t Count) {
        if (Tree == Nil)
            return {Nil, Nil};
        FNodes[Tree].Parent = Nil;
        const std::size_t LeftSize = SizeOf(FNodes[Tree].Left);
        if (Count <= LeftSize) {
            const auto [Front, Back] = Split(FNodes[Tree].Left, Count);
            FNodes[Tree].Left = Back;
            Update(Tree);
            return {Front, Tree};
        }
        const auto [Front, Back] = Split(FNodes[Tree].Right, Count - LeftSize - 1);
        FNodes[Tree].Right = Front;
        Update(Tree);
        return {Tree, Back};
    }

    std::vector<TNode> FNodes{TNode{}};
    std::unordered_map<const T*, std::uint32_t> FNodeOf;
    std::uint32_t FRoot = Nil;
    std::uint64_t FSeed = 0;
};

} // namespace kr6
